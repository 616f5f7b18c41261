#include "platform/dui/skin_parser.h"

#include <QXmlStreamReader>

namespace dui {

std::wstring SkinNode::Attribute(const std::wstring& name) const {
    for (const auto& [key, value] : attributes) {
        if (key == name) {
            return value;
        }
    }
    return {};
}

std::optional<SkinNode> ParseSkin(const std::string& xml, std::string* error) {
    QXmlStreamReader reader(
        QByteArray::fromRawData(xml.data(), static_cast<qsizetype>(xml.size())));
    std::optional<SkinNode> root;
    std::vector<SkinNode*> open;
    size_t elements = 0;
    auto fail = [&](const std::string& reason) -> std::optional<SkinNode> {
        if (error != nullptr) {
            *error = reason;
        }
        return std::nullopt;
    };
    while (!reader.atEnd()) {
        QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (++elements > kMaxSkinElements) {
                return fail("too many elements");
            }
            if (open.size() >= static_cast<size_t>(kMaxSkinDepth)) {
                return fail("elements nested too deep");
            }
            SkinNode node;
            node.element = reader.name().toString().toStdWString();
            for (const QXmlStreamAttribute& attribute : reader.attributes()) {
                node.attributes.emplace_back(attribute.name().toString().toStdWString(),
                                             attribute.value().toString().toStdWString());
            }
            if (open.empty()) {
                if (root.has_value()) {
                    return fail("more than one root element");
                }
                root = std::move(node);
                open.push_back(&*root);
            } else {
                open.back()->children.push_back(std::move(node));
                open.push_back(&open.back()->children.back());
            }
        } else if (token == QXmlStreamReader::EndElement && !open.empty()) {
            open.pop_back();
        }
    }
    if (reader.hasError()) {
        return fail(reader.errorString().toStdString());
    }
    if (!root.has_value()) {
        return fail("no root element");
    }
    return root;
}

std::vector<std::pair<std::wstring, std::wstring>> ParseAttributeList(const std::wstring& text) {
    std::vector<std::pair<std::wstring, std::wstring>> list;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == L' ' || text[i] == L'\t')) {
            ++i;
        }
        size_t eq = text.find(L'=', i);
        if (eq == std::wstring::npos || eq + 1 >= text.size()) {
            break;
        }
        wchar_t quote = text[eq + 1];
        if (quote != L'"' && quote != L'\'') {
            break;
        }
        size_t close = text.find(quote, eq + 2);
        if (close == std::wstring::npos) {
            break;
        }
        list.emplace_back(text.substr(i, eq - i), text.substr(eq + 2, close - eq - 2));
        i = close + 1;
    }
    return list;
}

}  // namespace dui
