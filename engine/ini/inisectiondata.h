#pragma once
// One section of an INI file: its keys and their values in three typed tables. The type of a
// value is fixed by how it is written in the file; readers ask for a key in a given type and
// check with the has-operations first.
#include <map>
#include <set>
#include <string>

namespace Engine {

class IniSectionData {
public:
    // Every key that received a value of any type.
    std::set<std::string> keys;
    std::map<std::string, std::string> strings;
    std::map<std::string, float> floats;
    std::map<std::string, bool> bools;

    bool hasString(const std::string& key) const;
    bool hasFloat(const std::string& key) const;
    bool hasBool(const std::string& key) const;

    // The value of `key` in the named table; the key must be there (assertion otherwise).
    const std::string& getString(const std::string& key) const;
    float getFloat(const std::string& key) const;
    bool getBool(const std::string& key) const;

    // Records `key` and stores the value, replacing an earlier value of the same type.
    void setString(const std::string& key, const std::string& value);
    void setFloat(const std::string& key, float value);
    void setBool(const std::string& key, bool value);
};

} // namespace Engine
