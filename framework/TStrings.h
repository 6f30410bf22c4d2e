#pragma once
// The framework's string list: what the collection fills with group and saver names.
// A list box or a tab row implements it over its native control; TStringList keeps the
// strings in memory.

#include <cstddef>
#include <string>
#include <vector>

class TStrings {
public:
    virtual ~TStrings() = default;
    virtual void Clear() = 0;
    virtual void Add(const std::string& text) = 0;
    virtual std::size_t Count() const = 0;
    virtual std::string Get(std::size_t index) const = 0;
};

class TStringList : public TStrings {
public:
    void Clear() override { Items.clear(); }
    void Add(const std::string& text) override { Items.push_back(text); }
    std::size_t Count() const override { return Items.size(); }
    std::string Get(std::size_t index) const override {
        return index < Items.size() ? Items[index] : std::string();
    }

    std::vector<std::string> Items;
};
