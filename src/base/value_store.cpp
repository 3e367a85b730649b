#include "base/value_store.h"

namespace wyn {

std::string MemoryValueStore::readValue(const std::string& name) const {
    const auto it = m_values.find(name);
    return it == m_values.end() ? std::string() : it->second;
}

bool MemoryValueStore::writeValue(const std::string& name, const std::string& value) {
    m_values[name] = value;
    return true;
}

}  // namespace wyn
