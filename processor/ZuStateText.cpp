// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuStateText.h"
#include "ZuTreeProperties.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zu::statetext
{
namespace
{
// The characters JUCE writes unescaped in XML text.
bool isPlain(juce::juce_wchar c) noexcept
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ' || c == '.' ||
           c == ',' || c == ';' || c == ':' || c == '-' || c == '(' || c == ')' || c == '_' || c == '+' || c == '=' ||
           c == '?' || c == '!' || c == '$' || c == '#' || c == '@' || c == '[' || c == ']' || c == '/' || c == '|' ||
           c == '*' || c == '%' || c == '~' || c == '{' || c == '}' || c == '\'' || c == '\\';
}

void writeRaw(juce::OutputStream& out, const juce::String& text)
{
    out.write(text.toRawUTF8(), text.getNumBytesAsUTF8());
}

void writeAttributeStart(juce::OutputStream& out, const juce::Identifier& name)
{
    out.writeByte(' ');
    writeRaw(out, name.toString());
    out.write("=\"", 2);
}

// The children of an element and its end: "/>" when it has none.
template <class Children>
void writeChildrenAndEnd(juce::OutputStream& out, const juce::String& tag, const Children& children)
{
    if (children.begin() == children.end())
    {
        out.write("/>", 2);
        return;
    }
    out.writeByte('>');
    for (const auto& child : children)
        writeTree(out, child);
    out.write("</", 2);
    writeRaw(out, tag);
    out.writeByte('>');
}

void writeValue(juce::OutputStream& out, const juce::var& value)
{
    if (value.isDouble())
        writeNumber(out, (double) value);
    else if (value.isInt() || value.isInt64() || value.isBool())
    {
        char text[32];
        const auto end = std::to_chars(text, text + sizeof(text), (juce::int64) value).ptr;
        out.write(text, (size_t) (end - text));
    }
    else
        writeEscaped(out, value.toString());
}
} // namespace

void writeNumber(juce::OutputStream& out, double value)
{
    if (!std::isfinite(value))
    {
        writeEscaped(out, juce::var(value).toString());
        return;
    }
    char text[64];
    const auto asFloat = (float) value;
    // Values that came from a float (the host parameters, the editor's
    // controls) need only the float's digits to read back the same.
    const auto end = (double) asFloat == value ? std::to_chars(text, text + sizeof(text), asFloat).ptr
                                               : std::to_chars(text, text + sizeof(text), value).ptr;
    out.write(text, (size_t) (end - text));
}

void writeEscaped(juce::OutputStream& out, const juce::String& text)
{
    auto t = text.getCharPointer();
    const auto* runStart = t.getAddress();
    for (;;)
    {
        const auto* here = t.getAddress();
        const auto c = t.getAndAdvance();
        if (c != 0 && isPlain(c))
            continue;
        out.write(runStart, (size_t) (here - runStart));
        runStart = t.getAddress();
        switch (c)
        {
        case 0:
            return;
        case '&':
            out << "&amp;";
            break;
        case '"':
            out << "&quot;";
            break;
        case '>':
            out << "&gt;";
            break;
        case '<':
            out << "&lt;";
            break;
        default:
            out << "&#" << (int) c << ';';
            break;
        }
    }
}

void writeTree(juce::OutputStream& out, const juce::ValueTree& tree)
{
    const auto type = tree.getType().toString();
    out.writeByte('<');
    writeRaw(out, type);
    zu::forEachProperty(tree,
                        [&out](const juce::Identifier& name, const juce::var& value)
                        {
                            writeAttributeStart(out, name);
                            writeValue(out, value);
                            out.writeByte('"');
                        });
    writeChildrenAndEnd(out, type, tree);
}

void writeDocument(juce::OutputStream& out, const juce::String& tag, const std::vector<RootAttribute>& attributes,
                   const std::vector<juce::ValueTree>& children)
{
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?> <";
    writeRaw(out, tag);
    for (const auto& attribute : attributes)
    {
        writeAttributeStart(out, attribute.name);
        writeNumber(out, attribute.value);
        out.writeByte('"');
    }
    writeChildrenAndEnd(out, tag, children);
}
} // namespace zu::statetext

namespace zu::statetext
{
const juce::String* Document::attribute(const juce::Identifier& name) const
{
    for (const auto& [key, value] : attributes)
        if (key == name)
            return &value;
    return nullptr;
}

void Document::setAttribute(const juce::Identifier& name, const juce::String& value)
{
    for (auto& [key, text] : attributes)
        if (key == name)
        {
            text = value;
            return;
        }
    attributes.emplace_back(name, value);
}

juce::ValueTree Document::child(const juce::Identifier& type) const
{
    for (const auto& c : children)
        if (c.hasType(type))
            return c;
    return {};
}

Document Document::fromXml(const juce::XmlElement& root)
{
    Document d;
    d.tag = root.getTagName();
    for (int i = 0; i < root.getNumAttributes(); ++i)
        d.attributes.emplace_back(root.getAttributeName(i), root.getAttributeValue(i));
    for (auto* e : root.getChildIterator())
        d.children.push_back(juce::ValueTree::fromXml(*e));
    return d;
}

namespace
{
// Identifiers by their text, for the whole process. Holds the identifiers, so
// the text a key points into stays where it is. Bounded: a damaged document
// full of new names does not grow it without end.
class NameTable
{
public:
    juce::Identifier get(std::string_view name)
    {
        const std::lock_guard<std::mutex> guard(lock);
        if (const auto it = names.find(name); it != names.end())
            return it->second;
        juce::Identifier id(juce::String::fromUTF8(name.data(), (int) name.size()));
        if (names.size() < maxNames)
            names.emplace(std::string_view(id.getCharPointer().getAddress(), name.size()), id);
        return id;
    }

    static NameTable& instance()
    {
        static NameTable table;
        return table;
    }

private:
    static constexpr size_t maxNames = 200000;
    std::mutex lock;
    std::unordered_map<std::string_view, juce::Identifier> names;
};

// A node's type and property names, in order, with an empty node of them.
struct Layout
{
    juce::ValueTree node;
    std::vector<juce::Identifier> names;

    // A node of this layout with these values, one for each name.
    juce::ValueTree withValues(std::vector<juce::var>& values) const
    {
        auto copy = node.createCopy();
        const zu::PropertiesInPlace properties(copy);
        for (size_t i = 0; i < values.size(); ++i)
            if (properties.inPlace())
                properties.value((int) i) = std::move(values[i]);
            else
                copy.setProperty(names[i], std::move(values[i]), nullptr);
        return copy;
    }
};

// The layouts of the large nodes read so far in the process, found by type
// and first property name. A value tree adds a property after a search
// through those it holds, so building a node of a thousand properties one by
// one is quadratic; a copy of a node with the same names is linear, and its
// values are then set in place. A document holds each layout many times (a
// unit's live values and its stored snapshots) and every document we wrote
// holds the same few, so a node is built property by property the first time
// only. Bounded in the names it holds, as the name table is.
class LayoutTable
{
public:
    using Entry = std::shared_ptr<const Layout>;

    Entry find(const juce::Identifier& type, const juce::Identifier& firstName)
    {
        const std::lock_guard<std::mutex> guard(lock);
        const auto it = layouts.find(keyOf(type, firstName));
        return it != layouts.end() && it->second->node.hasType(type) && it->second->names.front() == firstName
                   ? it->second
                   : nullptr;
    }

    // Keeps the layout of a node built property by property.
    void remember(const juce::ValueTree& node)
    {
        if (node.getNumProperties() < (int) minProperties)
            return;
        auto layout = std::make_shared<Layout>();
        layout->node = node.createCopy();
        layout->names.reserve((size_t) node.getNumProperties());
        for (int i = 0; i < node.getNumProperties(); ++i)
        {
            layout->names.push_back(node.getPropertyName(i));
            *zu::propertyValueAt(layout->node, i) = juce::var();
        }
        const auto key = keyOf(node.getType(), layout->names.front());
        const std::lock_guard<std::mutex> guard(lock);
        auto& slot = layouts[key];
        const size_t held = heldNames - (slot != nullptr ? slot->names.size() : 0) + layout->names.size();
        if (held <= maxHeldNames)
        {
            heldNames = held;
            slot = std::move(layout);
        }
        else if (slot == nullptr)
            layouts.erase(key);
    }

    static LayoutTable& instance()
    {
        static LayoutTable table;
        return table;
    }

private:
    static std::pair<const void*, const void*> keyOf(const juce::Identifier& type, const juce::Identifier& first)
    {
        return {type.getCharPointer().getAddress(), first.getCharPointer().getAddress()};
    }

    struct KeyHash
    {
        size_t operator()(const std::pair<const void*, const void*>& k) const noexcept
        {
            return std::hash<const void*>()(k.first) * 31u + std::hash<const void*>()(k.second);
        }
    };

    static constexpr size_t minProperties = 8;
    // A state of ours holds about 130,000 names in large nodes.
    static constexpr size_t maxHeldNames = 250000;
    std::mutex lock;
    size_t heldNames = 0;
    std::unordered_map<std::pair<const void*, const void*>, Entry, KeyHash> layouts;
};

// Whether name is the text of id.
bool isNamed(const juce::Identifier& id, std::string_view name) noexcept
{
    const char* text = id.getCharPointer().getAddress();
    return std::strncmp(text, name.data(), name.size()) == 0 && text[name.size()] == 0;
}

class Parser
{
public:
    Parser(const char* text, size_t length) : p(text), end(text + length) {}

    std::optional<Document> document()
    {
        skipSpace();
        if (startsWith("<?xml"))
        {
            const auto close = find("?>");
            if (close == nullptr)
                return std::nullopt;
            p = close + 2;
        }
        skipSpace();
        Document d;
        if (!take('<'))
            return std::nullopt;
        const auto tag = name();
        if (tag.empty())
            return std::nullopt;
        d.tag = juce::String::fromUTF8(tag.data(), (int) tag.size());
        bool hasChildren = false;
        if (!attributes([&d](std::string_view n, juce::String v)
                        { d.attributes.emplace_back(NameTable::instance().get(n), std::move(v)); },
                        hasChildren))
            return std::nullopt;
        if (hasChildren && !children(tag, [&d](juce::ValueTree c) { d.children.push_back(std::move(c)); }))
            return std::nullopt;
        skipSpace();
        if (p != end && !(p + 1 == end && *p == 0))
            return std::nullopt; // something after the root
        return d;
    }

private:
    static bool isSpace(char c) noexcept { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
    static bool isNameChar(char c) noexcept
    {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
               c == '.' || c == ':';
    }

    void skipSpace() noexcept
    {
        while (p < end && isSpace(*p))
            ++p;
    }
    bool take(char c) noexcept
    {
        if (p < end && *p == c)
        {
            ++p;
            return true;
        }
        return false;
    }
    bool startsWith(std::string_view s) const noexcept
    {
        return (size_t) (end - p) >= s.size() && std::string_view(p, s.size()) == s;
    }
    const char* find(std::string_view s) const noexcept
    {
        const std::string_view rest(p, (size_t) (end - p));
        const auto at = rest.find(s);
        return at == std::string_view::npos ? nullptr : p + at;
    }
    std::string_view name() noexcept
    {
        const char* start = p;
        while (p < end && isNameChar(*p))
            ++p;
        return {start, (size_t) (p - start)};
    }

    // An attribute value up to its closing quote, with references decoded.
    bool value(char quote, juce::String& out)
    {
        const char* start = p;
        while (p < end && *p != quote && *p != '&' && *p != '<')
            ++p;
        if (p < end && *p == quote)
        {
            out = juce::String::fromUTF8(start, (int) (p - start));
            ++p;
            return true;
        }
        std::string decoded(start, (size_t) (p - start));
        while (p < end && *p != quote)
        {
            if (*p == '<')
                return false;
            if (*p != '&')
            {
                decoded.push_back(*p++);
                continue;
            }
            const auto* semicolon = static_cast<const char*>(memchr(p, ';', (size_t) (end - p)));
            if (semicolon == nullptr || semicolon - p > 12)
                return false;
            const std::string_view entity(p + 1, (size_t) (semicolon - p - 1));
            p = semicolon + 1;
            if (entity == "amp")
                decoded.push_back('&');
            else if (entity == "lt")
                decoded.push_back('<');
            else if (entity == "gt")
                decoded.push_back('>');
            else if (entity == "quot")
                decoded.push_back('"');
            else if (entity == "apos")
                decoded.push_back('\'');
            else if (entity.size() > 1 && entity[0] == '#')
            {
                const bool hex = entity[1] == 'x' || entity[1] == 'X';
                const auto digits = entity.substr(hex ? 2 : 1);
                unsigned int code = 0;
                const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
                if (result.ec != std::errc() || result.ptr != digits.data() + digits.size() || code == 0 ||
                    code > 0x10ffff)
                    return false;
                char utf8[8] = {};
                juce::CharPointer_UTF8 w(utf8);
                w.write((juce::juce_wchar) code);
                decoded.append(utf8, (size_t) (w.getAddress() - utf8));
            }
            else
                return false;
        }
        if (!take(quote))
            return false;
        out = juce::String::fromUTF8(decoded.data(), (int) decoded.size());
        return true;
    }

    // Attributes up to the end of a start tag, each given to add by its name's
    // text; hasChildren tells ">" from "/>".
    template <class Add> bool attributes(Add&& add, bool& hasChildren)
    {
        for (;;)
        {
            skipSpace();
            if (take('>'))
            {
                hasChildren = true;
                return true;
            }
            if (take('/'))
            {
                hasChildren = false;
                return take('>');
            }
            const auto n = name();
            if (n.empty())
                return false;
            skipSpace();
            if (!take('='))
                return false;
            skipSpace();
            if (p >= end || (*p != '"' && *p != '\''))
                return false;
            const char quote = *p++;
            juce::String text;
            if (!value(quote, text))
                return false;
            add(n, std::move(text));
        }
    }

    // Child elements up to the end tag of tag.
    template <class Add> bool children(std::string_view tag, Add&& add)
    {
        for (;;)
        {
            skipSpace();
            if (startsWith("</"))
            {
                p += 2;
                if (name() != tag)
                    return false;
                skipSpace();
                return take('>');
            }
            if (!take('<') || p >= end || *p == '!' || *p == '?')
                return false; // text, comments and the like: not ours
            juce::ValueTree node;
            if (!element(node))
                return false;
            add(std::move(node));
        }
    }

    bool element(juce::ValueTree& node)
    {
        if (++depth > maxDepth)
            return false;
        const auto type = name();
        if (type.empty())
            return false;
        const auto typeId = NameTable::instance().get(type);
        // The attributes are all read before the first child element, so one
        // list serves every element. Names are foretold by the layout of the
        // last node of this type and first name, and looked up only where
        // they differ from it; while they agree, only the values are kept.
        values.clear();
        names.clear();
        LayoutTable::Entry layout;
        const auto add = [this, &layout, &typeId](std::string_view n, juce::String v)
        {
            const size_t i = values.size();
            values.emplace_back(std::move(v));
            if (layout != nullptr && i < layout->names.size() && isNamed(layout->names[i], n))
                return;
            if (layout != nullptr)
                names.assign(layout->names.begin(), layout->names.begin() + (std::ptrdiff_t) i);
            auto id = NameTable::instance().get(n);
            layout = i == 0 ? LayoutTable::instance().find(typeId, id) : nullptr;
            if (layout == nullptr)
                names.push_back(std::move(id));
        };
        bool hasChildren = false;
        if (!attributes(add, hasChildren))
            return false;
        if (layout != nullptr && layout->names.size() == values.size())
            node = layout->withValues(values);
        else
        {
            if (layout != nullptr)
                names.assign(layout->names.begin(), layout->names.begin() + (std::ptrdiff_t) values.size());
            node = juce::ValueTree(typeId);
            for (size_t i = 0; i < values.size(); ++i)
                node.setProperty(names[i], std::move(values[i]), nullptr);
            LayoutTable::instance().remember(node);
        }
        if (hasChildren && !children(type, [&node](juce::ValueTree c) { node.appendChild(c, nullptr); }))
            return false;
        --depth;
        return true;
    }

    static constexpr int maxDepth = 64;
    const char* p;
    const char* end;
    int depth = 0;
    std::vector<juce::var> values;
    std::vector<juce::Identifier> names;
};
} // namespace

std::optional<Document> parseDocument(const char* text, size_t length)
{
    if (text == nullptr)
        return std::nullopt;
    return Parser(text, length).document();
}
} // namespace zu::statetext
