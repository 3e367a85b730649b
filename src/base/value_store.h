#pragma once

#include <map>
#include <string>
#include <vector>

namespace wyn {

// Named string values of the program (the registry key on Windows), plus the
// one group of recent files. A missing value reads as the empty string.
class ValueStore {
public:
    virtual ~ValueStore() = default;

    virtual std::string readValue(const std::string& name) const = 0;
    // False when the store cannot be written; nobody reports it.
    virtual bool writeValue(const std::string& name, const std::string& value) = 0;

    // The values of the "Recent Files" group in the store's order.
    virtual std::vector<std::string> readRecentFiles() const = 0;
    // Replaces the group: its old values go, the paths are written as F0, F1, ...
    virtual void writeRecentFiles(const std::vector<std::string>& paths) = 0;
};

// A store in memory, for tests and for a run that keeps nothing.
class MemoryValueStore : public ValueStore {
public:
    std::string readValue(const std::string& name) const override;
    bool writeValue(const std::string& name, const std::string& value) override;
    std::vector<std::string> readRecentFiles() const override { return m_recent; }
    void writeRecentFiles(const std::vector<std::string>& paths) override { m_recent = paths; }

    const std::map<std::string, std::string>& values() const { return m_values; }

private:
    std::map<std::string, std::string> m_values;
    std::vector<std::string> m_recent;
};

}  // namespace wyn
