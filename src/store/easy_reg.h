#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace wyn {

class MessagePrompts;
class ValueStore;

// Check boxes and radio buttons are stored as "-1" / "0" (not "1" / "0" as in
// presets); a restore checks a box exactly when its value is "-1".
inline constexpr const char* kStoredChecked = "-1";
inline constexpr const char* kStoredClear = "0";

// A window's controls as the state store walks them, in their creation order.
class StoredControls {
public:
    virtual ~StoredControls() = default;

    virtual std::size_t count() const = 0;
    virtual std::string_view name(std::size_t control) const = 0;
    // Check boxes and radio buttons; every other control holds a text.
    virtual bool isBoolean(std::size_t control) const = 0;
    virtual bool checked(std::size_t control) const = 0;
    virtual std::string text(std::size_t control) const = 0;
    // Each change runs the control's reaction as a change by the program would.
    virtual void setChecked(std::size_t control, bool value) = 0;
    virtual void setText(std::size_t control, const std::string& value) = 0;
};

// The state store of a window: every stored control under its own name, plus
// single named values, in a ValueStore.
class TEasyReg {
public:
    explicit TEasyReg(ValueStore& store) : m_store(store) {}

    // Report a failed write during SaveAll ("Error writing to registry. (NAME)").
    bool ShowMessages = false;

    // Sets every control from its value, in creation order. A missing value
    // reads as empty: the box clear, the text empty. A reaction that fails
    // does not keep the later controls from being restored; the first failure
    // is thrown once all are done.
    void RestoreAll(StoredControls& controls) const;
    // Writes every control. Failed writes are reported through messages only
    // with ShowMessages.
    void SaveAll(const StoredControls& controls, MessagePrompts* messages = nullptr) const;

    // One value; false when the store cannot be written. Never reports.
    bool WriteValue(const std::string& name, const std::string& value) const;
    bool WriteBoolean(const std::string& name, bool value) const;
    bool WriteInteger(const std::string& name, long long value) const;
    // The empty string when the value is missing.
    std::string ReadValue(const std::string& name) const;

    ValueStore& store() const { return m_store; }

private:
    ValueStore& m_store;
};

}  // namespace wyn
