// SPDX-License-Identifier: GPL-3.0-or-later
// Keeping each unit's model snapshots equal to what the trees say. A switch,
// a load, a copy and a reset pass on only the tree values that change, so a
// model snapshot that had drifted from its trees would keep playing old
// values; these reads set the snapshots from the trees themselves.
#include "PluginProcessor.h"
#include "ZuTreeProperties.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>

using namespace zu::units;

namespace
{
juce::ValueTree storedOrNone(const juce::ValueTree& node)
{
    return node.isValid() && node.getNumProperties() > 0 ? node : juce::ValueTree();
}

// Where each property name of a unit's snapshot goes in its model, resolved
// once per process, on the first unit value routed. The table keys on the
// pooled text of an identifier, so it holds the identifiers themselves to
// keep that text in place.
struct SnapshotKeys
{
    struct UnitKey
    {
        int unit = 0;
        int index = 0;
    };
    std::array<std::unordered_map<const void*, UnitKey>, 4> unitKeys; // pitch, parameter, CC, octave-transpose
    std::unordered_map<const void*, int> slotKeys;                    // bare ("kfr") and live ("p6m111_kfr")
    std::vector<juce::Identifier> held;

    // Takes each name of a layout node that is prefix + a key of map: the
    // layout's own identifier, which costs no string-pool search. Names of
    // keys the node lacks are made from text. record(text address, model
    // index) gets every name; keys that skip accepts belong elsewhere.
    template <class Skip, class Record>
    void addNames(const juce::ValueTree& node, const juce::String& prefix, const ZuKeyMap::Map& map, Skip&& skip,
                  Record&& record)
    {
        size_t wanted = 0;
        for (const auto& entry : map)
            wanted += skip(entry.first) ? 0 : 1;
        size_t found = 0;
        for (int i = 0; i < node.getNumProperties(); ++i)
        {
            const auto name = node.getPropertyName(i);
            const auto text = name.toString();
            if (!text.startsWith(prefix))
                continue;
            const auto key = text.substring(prefix.length());
            const auto it = map.find(key);
            if (it == map.end() || skip(key))
                continue;
            held.push_back(name);
            record(name.getCharPointer().getAddress(), it->second);
            ++found;
        }
        if (found == wanted)
            return;
        for (const auto& [key, modelIndex] : map)
            if (!skip(key))
            {
                add(prefix + key);
                record(held.back().getCharPointer().getAddress(), modelIndex);
            }
    }

    template <class Model> void addModelKeys(int kind, const juce::ValueTree& seqMain)
    {
        auto model = std::make_unique<Model>();
        model->createParamMap();
        // Header values belong to the unit, not to a snapshot.
        const auto isHeader = [](const juce::String& key) { return key == "pwr" || key == "ch" || key == "snp"; };
        for (int index = 0; index < unitsOfKind[(size_t) kind]; ++index)
            addNames(seqMain.getChildWithName(nodeName(kind, index)), unitPrefix(kind, index), model->paramMap.get(),
                     isHeader,
                     [this, kind, index](const void* name, int modelIndex) {
                         unitKeys[(size_t) kind][name] = {index, modelIndex};
                     });
    }

    SnapshotKeys()
    {
        const auto& layout = ZuParamBase::layoutParamTree();
        const auto seqMain = layout.getChildWithName("seqmain");
        addModelKeys<CtrPtchSqData>(0, seqMain);
        addModelKeys<CtrPrmSqData>(1, seqMain);
        addModelKeys<CtrCcSqData>(2, seqMain);
        addModelKeys<CtrOctSqData>(3, seqMain);

        auto lfo = std::make_unique<LfoData>();
        lfo->createParamMap();
        const auto& keys = lfo->paramMap.get();
        const auto none = [](const juce::String&) { return false; };
        const auto record = [this](const void* name, int modelIndex) { slotKeys[name] = modelIndex; };
        addNames({}, {}, keys, none, record);
        const auto modMain = layout.getChildWithName("modmain");
        for (int kind = 0; kind < numKinds; ++kind)
            for (int index = 0; index < unitsOfKind[(size_t) kind]; ++index)
                for (int slot = 0; slot < numSlots; ++slot)
                    addNames(modMain.getChildWithName(modNodeName(kind, index)).getChildWithName(slotNodeName(slot)),
                             slotPrefix(kind, index, slot), keys, none, record);
    }

    void add(const juce::String& name) { held.emplace_back(name); }

    static const SnapshotKeys& get()
    {
        static const SnapshotKeys keys;
        return keys;
    }
};

// What juce::String::getDoubleValue reads from text, without its copy into a
// buffer for strtod, for the plain decimals a state holds (a sign, at most 17
// digits with a point, an exponent). Both round correctly, so they agree on
// these; anything else, and the ranges where JUCE gives up early, goes the
// JUCE way.
double readDecimal(const juce::String& text)
{
    const char* const s = text.toRawUTF8();
    const auto length = std::strlen(s);
    const auto isDigit = [s](size_t i) { return s[i] >= '0' && s[i] <= '9'; };
    size_t i = s[0] == '-' ? 1 : 0;
    int digits = 0;
    for (; isDigit(i); ++i)
        ++digits;
    if (s[i] == '.')
        for (++i; isDigit(i); ++i)
            ++digits;
    if (s[i] == 'e' || s[i] == 'E')
    {
        i += s[i + 1] == '-' || s[i + 1] == '+' ? 2 : 1;
        const size_t start = i;
        while (isDigit(i))
            ++i;
        if (i == start || i - start > 3)
            return text.getDoubleValue();
    }
    double value = 0.0;
    if (i != length || digits == 0 || digits > 17)
        return text.getDoubleValue();
    const auto [end, error] = std::from_chars(s, s + length, value);
    if (error != std::errc() || end != s + length)
        return text.getDoubleValue();
    if (value == 0.0)
        return 0.0; // JUCE reads a negative zero as zero
    const double magnitude = std::abs(value);
    return magnitude > 1.0e-300 && magnitude < 1.0e300 ? value : text.getDoubleValue();
}

// A tree value as a model write takes it; text is read as a number.
float toModelValue(const juce::var& v)
{
    if (v.isString())
        return (float) readDecimal(v.toString());
    return (float) (double) v;
}

// Reads one node into snapshot s of a unit: the unit's snapshot starts from
// the model's defaults, then every property the node holds is written, so the
// snapshot ends up exactly as the node says. The writes go to a scratch model,
// whose flags nobody reads, and the finished snapshot is copied over.
template <class Model>
void readUnitSnapshot(Model& live, Model& scratch, int kind, const juce::ValueTree& node, int unit, int snapshot)
{
    const auto& keys = SnapshotKeys::get().unitKeys[(size_t) kind];
    auto& work = scratch.units[(size_t) unit];
    work.currentSnapshot = 0;
    work.snaps[0] = scratch.defaultUnit.snaps[0];
    zu::forEachProperty(node,
                        [&](const juce::Identifier& name, const juce::var& value)
                        {
                            const auto it = keys.find(name.getCharPointer().getAddress());
                            if (it != keys.end() && it->second.unit == unit)
                                scratch.setParamValAt(unit, it->second.index, toModelValue(value));
                        });
    live.units[(size_t) unit].snaps[(size_t) snapshot] = work.snaps[0];
}
} // namespace

float ZumiraboxAudioProcessor::treeValueAsModelValue(const juce::var& value)
{
    return toModelValue(value);
}

bool ZumiraboxAudioProcessor::routeUnitTreeProperty(const juce::Identifier& name, float value)
{
    // The unit and modulation slot values, by far the most numerous, go
    // straight to their model index; anything else takes the named route.
    const auto text = name.getCharPointer();
    const auto* key = text.getAddress();
    if (text.length() < 7)
        return false;
    const int owner = (int) (text[1] - '0');
    if (owner >= 1 && owner <= 4)
    {
        const auto& table = SnapshotKeys::get().unitKeys[(size_t) owner - 1];
        const auto it = table.find(key);
        if (it == table.end())
            return false;
        unitModelOfKind(owner - 1)->setParamValAt(it->second.unit, it->second.index, value);
        return true;
    }
    if (owner == 6)
    {
        const auto& table = SnapshotKeys::get().slotKeys;
        const auto it = table.find(key);
        if (it == table.end())
            return false;
        const int unit = LfoData::unitFromDigits((int) (text[3] - '0'), (int) (text[4] - '0'));
        lfoData.setParamValAt(unit, (int) (text[5] - '1'), it->second, value);
        return true;
    }
    return false;
}

ZumiraboxAudioProcessor::SnapshotScratch& ZumiraboxAudioProcessor::snapshotScratch()
{
    if (scratch == nullptr)
        scratch = std::make_unique<SnapshotScratch>();
    return *scratch;
}

void ZumiraboxAudioProcessor::readSnapshotNode(int kind, int index, int snapshot, const juce::ValueTree& node)
{
    auto& work = snapshotScratch();
    switch (kind)
    {
    case 0:
        readUnitSnapshot(pitchSeqData, work.pitch, kind, node, index, snapshot);
        break;
    case 1:
        readUnitSnapshot(paramSeqData, work.param, kind, node, index, snapshot);
        break;
    case 2:
        readUnitSnapshot(ccSeqData, work.cc, kind, node, index, snapshot);
        break;
    case 3:
        readUnitSnapshot(octTpSeqData, work.octTp, kind, node, index, snapshot);
        break;
    default:
        // The racks' knob names do not follow the key scheme; they are few.
        ccRackData.loadSnapshotFromTree(node, index, snapshot);
        break;
    }
}

void ZumiraboxAudioProcessor::readSlotNode(int lfoUnit, int snapshot, int slot, const juce::ValueTree& node)
{
    const auto& keys = SnapshotKeys::get().slotKeys;
    auto& work = snapshotScratch().slots;
    auto& record = work.unitSnaps[0][0].slots[(size_t) slot];
    record = LfoData::ModUnitData();
    zu::forEachProperty(node,
                        [&](const juce::Identifier& name, const juce::var& value)
                        {
                            const auto it = keys.find(name.getCharPointer().getAddress());
                            if (it != keys.end())
                                work.setParamValAt(0, slot, it->second, toModelValue(value));
                        });
    lfoData.setSlot(lfoUnit, snapshot, slot, record);
}

int ZumiraboxAudioProcessor::liveSnapshotOfUnit(int unitId) const
{
    if (unitId < 1 || unitId > numUnits)
        return 0;
    return liveTreeSnapshots[(size_t) unitId - 1].load();
}

ZuAtomic<int32_t>* ZumiraboxAudioProcessor::modelLiveSnapshotOfUnit(int unitId)
{
    if (unitId < 1 || unitId > numUnits)
        return nullptr;
    const int index = indexOf(unitId);
    switch (kindOf(unitId))
    {
    case pitch:
        return &pitchSeqData.units[(size_t) index].liveTreeSnapshot;
    case param:
        return &paramSeqData.units[(size_t) index].liveTreeSnapshot;
    case cc:
        return &ccSeqData.units[(size_t) index].liveTreeSnapshot;
    case octTp:
        return &octTpSeqData.units[0].liveTreeSnapshot;
    default:
        return &ccRackData.units[(size_t) juce::jlimit(0, 1, index)].liveTreeSnapshot;
    }
}

void ZumiraboxAudioProcessor::setLiveSnapshotOfUnit(int unitId, int snapshot)
{
    if (unitId < 1 || unitId > numUnits)
        return;
    const int s = juce::jlimit(0, numSnapshots - 1, snapshot);
    liveTreeSnapshots[(size_t) unitId - 1].store(s);
    if (auto* modelSnapshot = modelLiveSnapshotOfUnit(unitId))
        *modelSnapshot = s;
}

void ZumiraboxAudioProcessor::syncUnitSnapshotFromTrees(int kind, int index, int snapshot)
{
    if (!isUnit(kind, index) || snapshot < 0 || snapshot >= numSnapshots)
        return;
    const auto name = nodeName(kind, index);
    const bool isLive = snapshot == liveSnapshotOfUnit(unitIdOf(kind, index));

    const auto unitSnaps = snapTree.getChildWithName(name);
    auto source = isLive ? paramTree.getChildWithName("seqmain").getChildWithName(name)
                         : storedOrNone(unitSnaps.getChildWithName(snapNodeName(snapshot)));
    if (!source.isValid())
        source = unitSnaps.getChildWithName("snapdef");
    if (source.isValid())
        readSnapshotNode(kind, index, snapshot, source);

    syncUnitSlotsFromTrees(kind, index, snapshot);
}

void ZumiraboxAudioProcessor::syncUnitSlotsFromTrees(int kind, int index, int snapshot)
{
    const int lfoUnit = LfoData::unitFromKindIndex(kind, index);
    if (!isUnit(kind, index) || lfoUnit < 0 || snapshot < 0 || snapshot >= numSnapshots)
        return;
    const bool isLive = snapshot == liveSnapshotOfUnit(unitIdOf(kind, index));
    const auto liveMod = paramTree.getChildWithName("modmain").getChildWithName(modNodeName(kind, index));
    const auto modSnapMain = snapTree.getChildWithName("modsnapmain");
    const auto storedMod =
        modSnapMain.getChildWithName(modSnapNodeName(kind, index)).getChildWithName(snapNodeName(snapshot));
    std::optional<LfoData::ModUnitData> slotDefault;
    for (int k = 0; k < numSlots; ++k)
    {
        if (isLive)
        {
            const auto slot = liveMod.getChildWithName(slotNodeName(k));
            if (slot.isValid())
                readSlotNode(lfoUnit, snapshot, k, slot);
            continue;
        }
        const auto stored = storedOrNone(storedMod.getChildWithName(storedSlotNodeName(k)));
        if (stored.isValid())
        {
            readSlotNode(lfoUnit, snapshot, k, stored);
            continue;
        }
        // A slot never stored: the trees fill it from their slot default.
        if (!slotDefault.has_value())
        {
            const auto modDef = modSnapMain.getChildWithName("moddef");
            slotDefault = modDef.isValid() ? LfoData::readSlotFromTree(modDef, {}) : LfoData::storedSlotDefault();
        }
        lfoData.setSlot(lfoUnit, snapshot, k, *slotDefault);
    }
}

void ZumiraboxAudioProcessor::syncUnitModelsFromTrees(int kind, int index)
{
    auto* model = unitModelOfKind(kind);
    if (!isUnit(kind, index) || model == nullptr)
        return;

    // Snapshots never stored all read the unit's "snapdef": read it once and
    // copy it to the others.
    const auto unitSnaps = snapTree.getChildWithName(nodeName(kind, index));
    const int live = liveSnapshotOfUnit(unitIdOf(kind, index));
    int firstDefault = -1;
    for (int s = 0; s < numSnapshots; ++s)
    {
        const bool neverStored = s != live && !storedOrNone(unitSnaps.getChildWithName(snapNodeName(s))).isValid();
        if (neverStored && firstDefault >= 0)
        {
            model->snapCopyPaste(index, index, firstDefault, s);
            syncUnitSlotsFromTrees(kind, index, s);
            continue;
        }
        if (neverStored)
            firstDefault = s;
        syncUnitSnapshotFromTrees(kind, index, s);
    }
}
