#pragma once
// Reads a skin file's XML into a tree of elements with their attributes, in file order.
// Outside input: malformed text, too deep nesting and too many elements are refused.

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace dui {

struct SkinNode {
    std::wstring element;
    std::vector<std::pair<std::wstring, std::wstring>> attributes;
    std::vector<SkinNode> children;

    // The value of attribute `name`, or "" when it is not given.
    std::wstring Attribute(const std::wstring& name) const;
};

inline constexpr int kMaxSkinDepth = 64;
inline constexpr size_t kMaxSkinElements = 20000;

// The root element, or nullopt with the reason in `error`.
std::optional<SkinNode> ParseSkin(const std::string& xml, std::string* error = nullptr);

// DuiLib's attribute list text, name="value" pairs (as <Default value="..."> holds them).
std::vector<std::pair<std::wstring, std::wstring>> ParseAttributeList(const std::wstring& text);

}  // namespace dui
