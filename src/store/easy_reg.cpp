#include "store/easy_reg.h"

#include "base/errors.h"
#include "base/prompts.h"
#include "base/value_store.h"

namespace wyn {

void TEasyReg::RestoreAll(StoredControls& controls) const {
    FailureCollector failures;
    for (std::size_t i = 0; i < controls.count(); ++i) {
        const std::string value = ReadValue(std::string(controls.name(i)));
        failures.run([&] {
            if (controls.isBoolean(i)) {
                controls.setChecked(i, value == kStoredChecked);
            } else {
                controls.setText(i, value);
            }
        });
    }
    failures.rethrow();
}

void TEasyReg::SaveAll(const StoredControls& controls, MessagePrompts* messages) const {
    for (std::size_t i = 0; i < controls.count(); ++i) {
        const std::string name(controls.name(i));
        const std::string value = controls.isBoolean(i)
                                      ? (controls.checked(i) ? kStoredChecked : kStoredClear)
                                      : controls.text(i);
        if (!WriteValue(name, value) && ShowMessages && messages != nullptr) {
            messages->showError("Error writing to registry. (" + name + ")");
        }
    }
}

bool TEasyReg::WriteValue(const std::string& name, const std::string& value) const {
    return m_store.writeValue(name, value);
}

bool TEasyReg::WriteBoolean(const std::string& name, bool value) const {
    return WriteValue(name, value ? kStoredChecked : kStoredClear);
}

bool TEasyReg::WriteInteger(const std::string& name, long long value) const {
    return WriteValue(name, std::to_string(value));
}

std::string TEasyReg::ReadValue(const std::string& name) const {
    return m_store.readValue(name);
}

}  // namespace wyn
