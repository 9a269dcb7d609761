#include "engine/ini/inisectiondata.h"

#include "engine/core/assert.h"

namespace Engine {

bool IniSectionData::hasString(const std::string& key) const
{
    return strings.count(key) > 0;
}

bool IniSectionData::hasFloat(const std::string& key) const
{
    return floats.count(key) > 0;
}

bool IniSectionData::hasBool(const std::string& key) const
{
    return bools.count(key) > 0;
}

const std::string& IniSectionData::getString(const std::string& key) const
{
    TX_ASSERT(hasString(key) == true, "INI key has no string value");
    return strings.at(key);
}

float IniSectionData::getFloat(const std::string& key) const
{
    TX_ASSERT(hasFloat(key) == true, "INI key has no number value");
    return floats.at(key);
}

bool IniSectionData::getBool(const std::string& key) const
{
    TX_ASSERT(hasBool(key) == true, "INI key has no bool value");
    return bools.at(key);
}

void IniSectionData::setString(const std::string& key, const std::string& value)
{
    keys.insert(key);
    strings[key] = value;
}

void IniSectionData::setFloat(const std::string& key, float value)
{
    keys.insert(key);
    floats[key] = value;
}

void IniSectionData::setBool(const std::string& key, bool value)
{
    keys.insert(key);
    bools[key] = value;
}

} // namespace Engine
