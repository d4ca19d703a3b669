#pragma once
// Sets environment variables for the life of a test and restores them after.
#include <cstdlib>
#include <map>
#include <optional>
#include <string>

namespace qv::test {

class TEnvGuard {
public:
    TEnvGuard() = default;
    TEnvGuard(const TEnvGuard&) = delete;
    TEnvGuard& operator=(const TEnvGuard&) = delete;
    ~TEnvGuard()
    {
        for (const auto& [name, old] : fSaved) {
            if (old) setenv(name.c_str(), old->c_str(), 1);
            else unsetenv(name.c_str());
        }
    }
    // An empty optional unsets the variable.
    void Set(const std::string& name, const std::optional<std::string>& value)
    {
        if (!fSaved.count(name)) {
            const char* old = std::getenv(name.c_str());
            fSaved[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        if (value) setenv(name.c_str(), value->c_str(), 1);
        else unsetenv(name.c_str());
    }

private:
    std::map<std::string, std::optional<std::string>> fSaved;
};

} // namespace qv::test
