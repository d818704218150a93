// An ordered map from unique, case-sensitive names to text values: the ID tables
// of the merge pages and the codon table of the current genetic code.
#pragma once

#include <list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "model/text.h"

namespace tulvarine {

class NamedAttributeMap {
public:
    using Entry = std::pair<std::string, std::string>;

    NamedAttributeMap() = default;
    NamedAttributeMap(const NamedAttributeMap& other) { *this = other; }
    NamedAttributeMap& operator=(const NamedAttributeMap& other);
    NamedAttributeMap(NamedAttributeMap&&) = default;
    NamedAttributeMap& operator=(NamedAttributeMap&&) = default;

    // Adds name at the end; fails (keeping the first value) when name is present.
    [[nodiscard]] bool Add(const std::string& name, std::string value);
    // Replaces a present name: the old entry goes, the new one is appended at the
    // end. Fails when name is absent.
    [[nodiscard]] bool Set(const std::string& name, std::string value);
    [[nodiscard]] bool Remove(const std::string& name);
    void Clear();

    bool Contains(const std::string& name) const { return index_.count(name) != 0; }
    // The value of name, or nullptr when absent.
    const std::string* Find(const std::string& name) const;
    std::size_t Count() const { return entries_.size(); }
    TextArray Names() const;

    // Entries in order.
    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }

private:
    std::list<Entry> entries_;
    std::unordered_map<std::string, std::list<Entry>::iterator> index_;
};

}  // namespace tulvarine
