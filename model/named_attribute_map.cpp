#include "model/named_attribute_map.h"

namespace tulvarine {

NamedAttributeMap& NamedAttributeMap::operator=(const NamedAttributeMap& other) {
    if (this == &other) return *this;
    Clear();
    for (const auto& [name, value] : other.entries_) (void)Add(name, value);  // names are unique there
    return *this;
}

bool NamedAttributeMap::Add(const std::string& name, std::string value) {
    if (Contains(name)) return false;
    entries_.emplace_back(name, std::move(value));
    index_.emplace(name, std::prev(entries_.end()));
    return true;
}

bool NamedAttributeMap::Set(const std::string& name, std::string value) {
    auto it = index_.find(name);
    if (it == index_.end()) return false;
    entries_.splice(entries_.end(), entries_, it->second);
    it->second->second = std::move(value);
    return true;
}

bool NamedAttributeMap::Remove(const std::string& name) {
    auto it = index_.find(name);
    if (it == index_.end()) return false;
    entries_.erase(it->second);
    index_.erase(it);
    return true;
}

void NamedAttributeMap::Clear() {
    entries_.clear();
    index_.clear();
}

const std::string* NamedAttributeMap::Find(const std::string& name) const {
    auto it = index_.find(name);
    return it == index_.end() ? nullptr : &it->second->second;
}

TextArray NamedAttributeMap::Names() const {
    TextArray names;
    names.reserve(entries_.size());
    for (const auto& entry : entries_) names.push_back(entry.first);
    return names;
}

}  // namespace tulvarine
