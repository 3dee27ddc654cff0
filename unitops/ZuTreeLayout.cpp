// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuParamTrees.h"
#include "ZuTreeProperties.h"

#include "ZuUnits.h"

#include <array>
#include <charconv>

namespace
{
struct Entry
{
    const char* key;
    int pairs;
    float def;
};

// Unit-level keys every sequencer kind has, then the kinds' own.
const Entry commonUnitEntries[] = {{"dir", 2, 0.0f},    {"sclk", 2, 11.0f}, {"fclk", 0, 0.3f}, {"csync", 0, 1.0f},
                                   {"clktyp", 0, 0.0f}, {"rst", 0, 0.0f},   {"strt", 2, 1.0f}, {"size", 2, 16.0f}};
const Entry pitchUnitEntries[] = {{"goct", 2, 0.0f}, {"tp", 2, 0.0f}, {"relmode", 0, 0.0f}, {"relbn", 2, 49.0f}};
const Entry paramUnitEntries[] = {{"tar1", 0, 1.0f}, {"tar2", 0, 0.0f}, {"tar3", 0, 0.0f}, {"tar4", 0, 0.0f}};
const Entry ccUnitEntries[] = {{"tarcc", 0, 0.0f}, {"omin", 0, 0.0f}, {"omax", 0, 127.0f}};

const Entry pitchStepEntries[] = {{"pch", 2, 0.0f},   {"slk", 0, 0.0f},   {"oct", 1, 2.0f},
                                  {"vel", 1, 100.0f}, {"gate", 1, 50.0f}, {"prob", 1, 100.0f},
                                  {"slr", 1, 0.0f},   {"spwr", 1, 1.0f},  {"relpch", 2, 0.0f}};
const Entry paramStepEntries[] = {
    {"sval", 2, 0.0f}, {"slk", 0, 0.0f}, {"prob", 1, 100.0f}, {"spwr", 1, 1.0f}, {"emenu", 0, 0.0f}};
const Entry ccStepEntries[] = {{"sval", 2, 0.0f}, {"slk", 0, 0.0f}, {"prob", 1, 100.0f}, {"spwr", 1, 1.0f}};
const Entry octStepEntries[] = {
    {"stp", 2, 0.0f}, {"soct", 1, 2.0f}, {"slk", 0, 0.0f}, {"prob", 1, 100.0f}, {"spwr", 1, 1.0f}};
const Entry rackKnobEntries[] = {{"kval", 2, 0.0f}, {"ktarcc", 0, 0.0f}, {"kpwr", 0, 1.0f},
                                 {"kmin", 0, 0.0f}, {"kmax", 0, 127.0f}, {"kch", 0, 0.0f}};

// A layout name made in place. Making an identifier from text costs a
// string-pool search, once per name and process; building each text through
// juce::String additions as well cost as much again.
class Name
{
public:
    explicit Name(const juce::String& prefix) { add(prefix.toRawUTF8()); }

    Name& add(const char* text)
    {
        while (*text != 0 && length < capacity)
            chars[(size_t) length++] = *text++;
        jassert(*text == 0);
        chars[(size_t) length] = 0;
        return *this;
    }
    Name& add(int number)
    {
        char digits[16];
        const auto end = std::to_chars(digits, digits + sizeof(digits) - 1, number).ptr;
        *end = 0;
        return add(digits);
    }
    int mark() const noexcept { return length; }
    void cutTo(int mark) noexcept
    {
        length = mark;
        chars[(size_t) length] = 0;
    }
    juce::Identifier id() const { return juce::Identifier(chars.data()); }

private:
    static constexpr int capacity = 63;
    std::array<char, capacity + 1> chars{};
    int length = 0;
};

// Sets name (value) and its companions name_ms1, name_md1 .. (0 each) with
// the companions' two types.
template <class Ms, class Md> void setWithCompanions(juce::ValueTree& tree, Name& name, double value, int pairs)
{
    tree.setProperty(name.id(), value, nullptr);
    const int base = name.mark();
    for (int k = 1; k <= pairs; ++k)
    {
        tree.setProperty(name.add("_ms").add(k).id(), Ms(0), nullptr);
        name.cutTo(base);
        tree.setProperty(name.add("_md").add(k).id(), Md(0), nullptr);
        name.cutTo(base);
    }
}

// Unit children: "_ms" companions are integers, "_md" companions doubles.
template <size_t N> void addUnitEntries(juce::ValueTree& tree, const juce::String& prefix, const Entry (&entries)[N])
{
    Name name(prefix);
    const int base = name.mark();
    for (const auto& e : entries)
    {
        setWithCompanions<int, double>(tree, name.add(e.key), (double) e.def, e.pairs);
        name.cutTo(base);
    }
}

template <size_t N>
void addNumberedEntries(juce::ValueTree& tree, const juce::String& prefix, const Entry (&entries)[N], int count)
{
    Name name(prefix);
    const int base = name.mark();
    for (const auto& e : entries)
        for (int n = 1; n <= count; ++n)
        {
            setWithCompanions<int, double>(tree, name.add(e.key).add(n), (double) e.def, e.pairs);
            name.cutTo(base);
        }
}

constexpr int numSteps = 32;

// A detached node of type "snapdef" holding unit's properties in unit's
// order. A sibling snapdef of the same kind holds as many properties, in the
// same order and of the same types, under other unit prefixes: a copy of it,
// renamed and rewritten in place, saves the search per property that
// copyPropertiesFrom makes (the node of a pitch unit holds ~1,000).
juce::ValueTree makeSnapDef(const juce::ValueTree& unit, const juce::ValueTree& sibling)
{
    if (sibling.isValid() && sibling.getNumProperties() == unit.getNumProperties())
    {
        auto copy = sibling.createCopy();
        const zu::PropertiesInPlace from(unit), to(copy);
        if (from.inPlace() && to.inPlace())
        {
            for (int i = 0; i < from.size(); ++i)
            {
                to.rename(i, from.name(i));
                to.value(i) = from.value(i);
            }
            return copy;
        }
    }
    juce::ValueTree snapDef("snapdef");
    snapDef.copyPropertiesFrom(unit, nullptr);
    return snapDef;
}
} // namespace

void createPtchSqUnitParams(juce::ValueTree tree, const juce::String& prefix)
{
    addUnitEntries(tree, prefix, commonUnitEntries);
    addUnitEntries(tree, prefix, pitchUnitEntries);
    addNumberedEntries(tree, prefix, pitchStepEntries, numSteps);
}

void createPrmSqUnitParams(juce::ValueTree tree, const juce::String& prefix)
{
    addUnitEntries(tree, prefix, commonUnitEntries);
    addUnitEntries(tree, prefix, paramUnitEntries);
    addNumberedEntries(tree, prefix, paramStepEntries, numSteps);
}

void createCcSqUnitParams(juce::ValueTree tree, const juce::String& prefix)
{
    addUnitEntries(tree, prefix, commonUnitEntries);
    addUnitEntries(tree, prefix, ccUnitEntries);
    addNumberedEntries(tree, prefix, ccStepEntries, numSteps);
}

void createOctSqUnitParams(juce::ValueTree tree, const juce::String& prefix)
{
    addUnitEntries(tree, prefix, commonUnitEntries);
    addNumberedEntries(tree, prefix, octStepEntries, numSteps);
}

void createCcRackUnitParams(juce::ValueTree tree, const juce::String& prefix)
{
    addNumberedEntries(tree, prefix, rackKnobEntries, 8);
    for (int n = 1; n <= 8; ++n)
        tree.setProperty(prefix + "kname" + juce::String(n), juce::String(), nullptr);
}

void createModUnitParams(juce::ValueTree tree, int kindIndex, int unitIndex, int slotIndex)
{
    Name name(kindIndex != zuBareSlotKind ? zu::units::slotPrefix(kindIndex, unitIndex, slotIndex) : juce::String());
    const int base = name.mark();
    auto set = [&tree, &name, base](const char* key, const juce::var& value)
    {
        tree.setProperty(name.add(key).id(), value, nullptr);
        name.cutTo(base);
    };

    for (auto* key : {"bbi", "bphi", "bexp", "bsat", "csync", "clktyp", "bwf", "bsahm", "engn"})
        set(key, 0);
    set("pwr", slotIndex <= 1 ? 1 : 0);

    // Slot companions have the opposite types from those of unit children.
    const Entry knobs[] = {{"ksr", 2, 8.0f}, {"kfr", 2, 0.5f}, {"kph", 2, 0.0f},
                           {"kos", 2, 0.5f}, {"ksm", 2, 0.0f}, {"klv", 2, 1.0f}};
    for (const auto& e : knobs)
    {
        setWithCompanions<double, int>(tree, name.add(e.key), (double) e.def, e.pairs);
        name.cutTo(base);
    }
    for (int n = 1; n <= 8; ++n)
    {
        tree.setProperty(name.add("prb").add(n).id(), n == 1 ? 1.0 : 0.0, nullptr);
        name.cutTo(base);
    }
}

namespace zu::unitops
{
const std::vector<ParamDefault>& paramTreeDefaults()
{
    // Built once, on first use, on the message thread.
    static const std::vector<ParamDefault> table = []
    {
        std::vector<ParamDefault> t;
        auto add = [&t](const juce::String& id, const juce::var& value, bool kept = false) {
            t.push_back({id, value, kept});
        };

        add("presetname", "Preset");
        // Chord slots, slot by slot.
        for (int n = 1; n <= 12; ++n)
        {
            const auto sn = juce::String(n);
            add("p9_chord_type" + sn, 1.0);
            add("p9_chord_root" + sn, n);
            add("p9_chord_inv" + sn, 1.0);
            add("p9_chord_custom" + sn, 0);
            for (int m = 1; m <= 5; ++m)
                add("p9_chord" + sn + "_cn" + juce::String(m), 1.0);
        }
        add("scale_type1_presetname", "Preset", true);
        for (int k = 1; k <= 7; ++k)
            add("p8_scale_type1_wkey" + juce::String(k), 1);
        for (int k = 1; k <= 5; ++k)
            add("p8_scale_type1_bkey" + juce::String(k), 1);
        add("p0_midichlock", 0, true);
        add("p0_scalelock", 0, true);
        add("p0_chrpwr", 0);
        add("p0_chrsize", 4);
        add("p0_chrspd", 4);
        add("p0_chrtrksel", 0);
        // Chainer steps, track by track.
        for (int t8 = 1; t8 <= 8; ++t8)
            for (int s = 1; s <= 16; ++s)
                add("p0_chrt" + juce::String(t8) + "stp" + juce::String(s), 0);
        for (int u = 1; u <= zu::units::numUnits; ++u)
            add("p0_chrtar" + juce::String(u), 0);
        return t;
    }();
    return table;
}

void resetParamTreeDefaults(juce::ValueTree& paramTree)
{
    const auto& table = paramTreeDefaults();
    for (const auto& d : table)
        if (!d.keptOnReset && d.id != table.front().id)
            paramTree.setProperty(d.id, d.value, nullptr);
    // The preset name goes last, after every value it names.
    paramTree.setProperty(table.front().id, table.front().value, nullptr);
}

void createParamTree(juce::ValueTree& paramTree, juce::ValueTree& snapTree)
{
    jassert(paramTree.isValid() && paramTree.getNumProperties() == 0);

    juce::ValueTree modMain("modmain");
    juce::ValueTree seqMain("seqmain");
    snapTree = juce::ValueTree("snapmain");

    // The properties of "param" itself reach the processor's listener as they are set.
    for (const auto& d : paramTreeDefaults())
        paramTree.setProperty(d.id, d.value, nullptr);

    using Builder = void (*)(juce::ValueTree, const juce::String&);
    static constexpr Builder builders[] = {createPtchSqUnitParams, createPrmSqUnitParams, createCcSqUnitParams,
                                           createOctSqUnitParams, createCcRackUnitParams};
    using namespace zu::units;

    for (int kind = 0; kind < numKinds; ++kind)
    {
        juce::ValueTree previousSnapDef;
        for (int u = 0; u < unitsOfKind[(size_t) kind]; ++u)
        {
            const auto prefix = unitPrefix(kind, u);
            juce::ValueTree unit(nodeName(kind, u));
            if (kind != ccRack)
                unit.setProperty(prefix + "page", 0.0, nullptr);
            if (kind == pitch)
                unit.setProperty(prefix + "vgp", 0.0, nullptr);
            builders[kind](unit, prefix);
            seqMain.appendChild(unit, nullptr);

            juce::ValueTree unitSnap(unit.getType());
            auto snapDef = makeSnapDef(unit, previousSnapDef);
            previousSnapDef = snapDef;
            unitSnap.appendChild(snapDef, nullptr);
            for (int s = 0; s < numSnapshots; ++s)
                unitSnap.appendChild(juce::ValueTree(snapNodeName(s)), nullptr);
            snapTree.appendChild(unitSnap, nullptr);
        }
        for (int u = 0; u < unitsOfKind[(size_t) kind]; ++u)
        {
            juce::ValueTree unitMod(modNodeName(kind, u));
            unitMod.setProperty(modAreaPrefix(kind, u) + "tab", 0.0, nullptr);
            for (int s = 0; s < numSlots; ++s)
            {
                juce::ValueTree slot(slotNodeName(s));
                createModUnitParams(slot, kind, u, s);
                unitMod.appendChild(slot, nullptr);
            }
            modMain.appendChild(unitMod, nullptr);
        }
    }

    paramTree.appendChild(seqMain, nullptr);
    paramTree.appendChild(modMain, nullptr);

    juce::ValueTree other("otherparams");
    other.setProperty("p0_recleng", 1, nullptr);
    for (int t = 1; t <= 4; ++t)
        for (int u = 1; u <= 10; ++u)
            other.setProperty("p0_rectrk" + juce::String(t) + "tarunit" + juce::String(u), u == t ? 1 : 0, nullptr);
    paramTree.appendChild(other, nullptr);

    juce::ValueTree modSnapMain("modsnapmain");
    juce::ValueTree modDef("moddef");
    createModUnitParams(modDef, zuBareSlotKind, 0, 0);
    modSnapMain.appendChild(modDef, nullptr);
    for (int id = 1; id <= numUnits; ++id)
    {
        juce::ValueTree seqMod(modSnapNodeName(id));
        for (int s = 0; s < numSnapshots; ++s)
        {
            juce::ValueTree snap(snapNodeName(s));
            for (int m = 0; m < numSlots; ++m)
                snap.appendChild(juce::ValueTree(storedSlotNodeName(m)), nullptr);
            seqMod.appendChild(snap, nullptr);
        }
        modSnapMain.appendChild(seqMod, nullptr);
    }
    snapTree.appendChild(modSnapMain, nullptr);
}

void syncTrees(const juce::ValueTree& source, juce::ValueTree& destination)
{
    if (!source.isValid() || !destination.isValid())
        return;

    // The trees share their property order, so a source property is almost
    // always found at its own position without a search; an equal value (same
    // type, as JUCE compares) is skipped, and a changed one is written in
    // place and announced, as setProperty would after searching again. The
    // listeners told may change either tree, so both are looked at anew then.
    zu::PropertiesInPlace from(source), to(destination);
    for (int i = 0; i < source.getNumProperties(); ++i)
    {
        const auto name = from.inPlace() ? juce::Identifier() : source.getPropertyName(i);
        const auto& key = from.inPlace() ? from.name(i) : name;
        const auto* value = from.inPlace() ? &from.value(i) : source.getPropertyPointer(key);
        auto* current = to.inPlace() && i < to.size() && to.name(i) == key
                            ? &to.value(i)
                            : const_cast<juce::var*>(destination.getPropertyPointer(key));
        if (value != nullptr && current != nullptr && !current->equalsWithSameType(*value))
        {
            const auto changed = key;
            *current = *value;
            destination.sendPropertyChangeMessage(changed);
            from = zu::PropertiesInPlace(source);
            to = zu::PropertiesInPlace(destination);
        }
    }

    for (int i = 0; i < source.getNumChildren(); ++i)
    {
        const auto child = source.getChild(i);
        auto match = destination.getChildWithName(child.getType());
        if (match.isValid())
            syncTrees(child, match);
    }
}

void initModUnit(juce::ValueTree& unitModTree, int kindIndex, int unitIndex)
{
    unitModTree.setProperty(zu::units::modAreaPrefix(kindIndex, unitIndex) + "tab", 0, nullptr);

    for (int s = 0; s < zu::units::numSlots; ++s)
    {
        juce::ValueTree fresh(zu::units::slotNodeName(s));
        createModUnitParams(fresh, kindIndex, unitIndex, s);
        auto slot = unitModTree.getChildWithName(fresh.getType());
        if (slot.isValid())
            syncTrees(fresh, slot);
    }
}
} // namespace zu::unitops
