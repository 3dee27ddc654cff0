// SPDX-License-Identifier: GPL-3.0-or-later
// The data models never drift from the trees: after switches, copies, resets,
// saves and loads into an instance in use, every snapshot of every unit's
// model and of its modulation slots holds what the trees say.
#include "ProcessorWait.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <thread>

namespace
{
using zutest::settle;

using zu::units::firstIdOfKind;
using zu::units::unitsOfKind;

// Two records hold the same values (padding aside).
template <class T> struct RawCopy
{
    alignas(T) unsigned char bytes[sizeof(T)];
};
template <class T> bool sameFields(const T& a, const T& b)
{
    auto ra = std::make_unique<RawCopy<T>>();
    auto rb = std::make_unique<RawCopy<T>>();
    auto* pa = new (ra->bytes) T(a);
    auto* pb = new (rb->bytes) T(b);
    const bool same = std::memcmp(ra->bytes, rb->bytes, sizeof(T)) == 0;
    pa->~T();
    pb->~T();
    return same;
}

template <class P> bool sameParam(const P& a, const P& b)
{
    return a.value.load() == b.value.load() && a.modSource[0].load() == b.modSource[0].load() &&
           a.modSource[1].load() == b.modSource[1].load() && a.modDepth[0].load() == b.modDepth[0].load() &&
           a.modDepth[1].load() == b.modDepth[1].load() && a.modActive.load() == b.modActive.load();
}

// The tree values of a modulation slot (its outputs and flags are not).
bool sameSlot(const LfoData::ModUnitData& a, const LfoData::ModUnitData& b)
{
    bool same = a.pwr == b.pwr && a.engn == b.engn && a.bsahm == b.bsahm && a.bwf == b.bwf && a.bbi == b.bbi &&
                a.csync == b.csync && a.clktyp == b.clktyp && a.bphi == b.bphi && a.bexp == b.bexp &&
                a.bsat == b.bsat && sameParam(a.ksr, b.ksr) && sameParam(a.kfr, b.kfr) && sameParam(a.kph, b.kph) &&
                sameParam(a.kos, b.kos) && sameParam(a.ksm, b.ksm) && sameParam(a.klv, b.klv);
    for (size_t w = 0; w < a.prb.size(); ++w)
        same = same && a.prb[w].load() == b.prb[w].load();
    return same;
}

int snapshotParameter(ZumiraboxAudioProcessor& p, int kind, int index)
{
    float v = 0.0f;
    p.getValueFromValueTree(v, p.kindSnapParamIndex[kind][index]);
    return zu::toIntSaturating(v);
}

// What the trees say a unit's snapshot holds: the live trees for the snapshot
// its parameter names, the stored snapshot, or the trees' defaults.
juce::ValueTree unitSnapshotSaid(ZumiraboxAudioProcessor& p, int kind, int index, int s)
{
    const auto name = zu::units::nodeName(kind, index);
    if (s == snapshotParameter(p, kind, index))
        return p.paramTree.getChildWithName("seqmain").getChildWithName(name).createCopy();
    const auto unit = p.snapTree.getChildWithName(name);
    const auto stored = unit.getChildWithName("snap" + juce::String(s + 1));
    return (stored.getNumProperties() > 0 ? stored : unit.getChildWithName("snapdef")).createCopy();
}

juce::ValueTree slotSaid(ZumiraboxAudioProcessor& p, int kind, int index, int s, int k)
{
    juce::ValueTree bare("slot");
    if (s == snapshotParameter(p, kind, index))
    {
        const auto live = p.paramTree.getChildWithName("modmain")
                              .getChildWithName(zu::units::modNodeName(kind, index))
                              .getChildWithName("mod" + juce::String(k));
        for (int i = 0; i < live.getNumProperties(); ++i)
            bare.setProperty(live.getPropertyName(i).toString().substring(7), live.getProperty(live.getPropertyName(i)),
                             nullptr);
        return bare;
    }
    const auto modSnaps = p.snapTree.getChildWithName("modsnapmain");
    const auto stored = modSnaps.getChildWithName(zu::units::modSnapNodeName(kind, index))
                            .getChildWithName("snap" + juce::String(s + 1))
                            .getChildWithName("unit" + juce::String(k));
    return (stored.getNumProperties() > 0 ? stored : modSnaps.getChildWithName("moddef")).createCopy();
}

// Loads what the trees say into fresh models with the models' own loaders and
// compares every snapshot; returns the first difference, empty when none.
template <class Model> std::string compareUnitModel(ZumiraboxAudioProcessor& p, Model& live, int kind)
{
    auto fresh = std::make_unique<Model>();
    fresh->createParamMap();
    juce::ValueTree said("snapmain");
    for (int index = 0; index < unitsOfKind[(size_t) kind]; ++index)
    {
        juce::ValueTree unit(zu::units::nodeName(kind, index));
        for (int s = 0; s < 8; ++s)
        {
            auto snap = unitSnapshotSaid(p, kind, index, s);
            juce::ValueTree named("snap" + juce::String(s + 1));
            named.copyPropertiesFrom(snap, nullptr);
            unit.appendChild(named, nullptr);
        }
        said.appendChild(unit, nullptr);
    }
    if constexpr (std::is_same_v<Model, CtrOctSqData>)
        fresh->setSnapshotStatesFromValueTree(said);
    else
        fresh->setSnapshotStatesFromValueTree(said, unitsOfKind[(size_t) kind]);

    for (int index = 0; index < unitsOfKind[(size_t) kind]; ++index)
        for (int s = 0; s < 8; ++s)
            if (!sameFields(live.units[(size_t) index].snaps[(size_t) s],
                            fresh->units[(size_t) index].snaps[(size_t) s]))
                return "unit " + std::to_string(firstIdOfKind[(size_t) kind] + index) + " snapshot " +
                       std::to_string(s);
    return {};
}

std::string compareSlots(ZumiraboxAudioProcessor& p)
{
    auto reader = std::make_unique<LfoData>();
    for (int kind = 0; kind < 5; ++kind)
        for (int index = 0; index < unitsOfKind[(size_t) kind]; ++index)
        {
            const int unit = LfoData::unitFromKindIndex(kind, index);
            for (int s = 0; s < 8; ++s)
            {
                juce::ValueTree said("snap");
                for (int k = 1; k <= 8; ++k)
                {
                    juce::ValueTree slot("unit" + juce::String(k));
                    slot.copyPropertiesFrom(slotSaid(p, kind, index, s, k), nullptr);
                    said.appendChild(slot, nullptr);
                }
                auto snap = std::make_unique<LfoData::SnapData>();
                reader->loadSnapDataFromVt(said, *snap);
                for (size_t k = 0; k < 8; ++k)
                    if (!sameSlot(p.lfoData.unitSnaps[(size_t) unit][(size_t) s].slots[k], snap->slots[k]))
                        return "modulation slot " + std::to_string(k + 1) + " of unit " + std::to_string(unit + 1) +
                               " snapshot " + std::to_string(s);
            }
        }
    return {};
}

// Every model snapshot of every unit equals what the trees say, and each
// unit's model plays the snapshot its parameter names.
std::string modelsAgainstTrees(ZumiraboxAudioProcessor& p)
{
    for (int kind = 0; kind < 5; ++kind)
        for (int index = 0; index < unitsOfKind[(size_t) kind]; ++index)
            if (p.currentSnapshotOfUnit(firstIdOfKind[(size_t) kind] + index) != snapshotParameter(p, kind, index))
                return "current snapshot of unit " + std::to_string(firstIdOfKind[(size_t) kind] + index);
    for (auto text : {compareUnitModel(p, p.pitchSeqData, 0), compareUnitModel(p, p.paramSeqData, 1),
                      compareUnitModel(p, p.ccSeqData, 2), compareUnitModel(p, p.octTpSeqData, 3),
                      compareUnitModel(p, p.ccRackData, 4), compareSlots(p)})
        if (!text.empty())
            return text;
    return {};
}

struct ModelsAndTrees : ::testing::Test
{
    static void setParam(ZumiraboxAudioProcessor& p, const juce::String& id, float v)
    {
        p.setValueToValueTree(p.paramProfile.getParamIndexFromString(id), v);
    }
    static juce::ValueTree live(ZumiraboxAudioProcessor& p, const char* unit)
    {
        return p.paramTree.getChildWithName("seqmain").getChildWithName(unit);
    }
    static juce::MemoryBlock save(ZumiraboxAudioProcessor& p)
    {
        juce::MemoryBlock chunk;
        p.getStateInformation(chunk);
        return chunk;
    }
    static void load(ZumiraboxAudioProcessor& p, const juce::MemoryBlock& chunk)
    {
        p.setStateInformation(chunk.getData(), (int) chunk.getSize());
    }
};

// Sets a random value on a random numeric property of a unit's live trees.
void randomEdit(ZumiraboxAudioProcessor& p, std::mt19937& rng)
{
    const int kind = (int) (rng() % 5);
    const int index = (int) (rng() % (unsigned) unitsOfKind[(size_t) kind]);
    const auto name = zu::units::nodeName(kind, index);
    auto node = rng() % 3 == 0 ? p.paramTree.getChildWithName("modmain")
                                     .getChildWithName(zu::units::modNodeName(kind, index))
                                     .getChildWithName("mod" + juce::String(1 + rng() % 8))
                               : p.paramTree.getChildWithName("seqmain").getChildWithName(name);
    if (node.getNumProperties() == 0)
        return;
    for (int tries = 0; tries < 8; ++tries)
    {
        const auto id = node.getPropertyName((int) (rng() % (unsigned) node.getNumProperties()));
        const auto& v = node.getProperty(id);
        if (v.isInt())
        {
            node.setProperty(id, (int) (rng() % 4), nullptr);
            return;
        }
        if (v.isDouble())
        {
            node.setProperty(id, (double) (float) (rng() % 1000) / 100.0, nullptr);
            return;
        }
    }
}
} // namespace

TEST_F(ModelsAndTrees, ANewInstanceStartsEqual)
{
    ZumiraboxAudioProcessor p;
    EXPECT_EQ(modelsAgainstTrees(p), "");
}

TEST_F(ModelsAndTrees, ALoadResetsSnapshotsTheDocumentNeverStored)
{
    ZumiraboxAudioProcessor p, blank;
    // Snapshot C of pitch unit 1 holds a note; back on A.
    setParam(p, "p1m11_snp", 2.0f);
    ASSERT_TRUE(settle(p));
    live(p, "ptchsq1").setProperty("p1m11_pch5", 7.0, nullptr);
    setParam(p, "p1m11_snp", 0.0f);
    ASSERT_TRUE(settle(p));
    ASSERT_EQ(p.pitchSeqData.units[0].snaps[2].steps[4].pch.value.load(), 7);

    load(p, save(blank));
    ASSERT_TRUE(settle(p));
    EXPECT_EQ(modelsAgainstTrees(p), "");

    // Switching to C plays the loaded song's C, not the old note.
    setParam(p, "p1m11_snp", 2.0f);
    ASSERT_TRUE(settle(p));
    EXPECT_EQ(live(p, "ptchsq1").getProperty("p1m11_pch5").toString().getIntValue(), 0);
    EXPECT_EQ(p.pitchSeqData.units[0].snaps[2].steps[4].pch.value.load(), 0);
}

TEST_F(ModelsAndTrees, SlotModelFollowsASwitchToANeverStoredSnapshot)
{
    ZumiraboxAudioProcessor p;
    setParam(p, "p2m22_snp", 3.0f);
    ASSERT_TRUE(settle(p));
    const auto slot3 = p.paramTree.getChildWithName("modmain").getChildWithName("prmsq2mod").getChildWithName("mod3");
    const bool treeOn = slot3.getProperty("p6m223_pwr").toString().getIntValue() > 0;
    EXPECT_EQ(p.lfoData.unitSnaps[5][3].slots[2].pwr.load(), treeOn);
    EXPECT_EQ(modelsAgainstTrees(p), "");
}

TEST_F(ModelsAndTrees, CopyOfANeverStoredSnapshotAndInitialiseAllKeepThemEqual)
{
    ZumiraboxAudioProcessor p;
    auto modSlot = [&](int slot)
    {
        return p.paramTree.getChildWithName("modmain")
            .getChildWithName("ccsq1mod")
            .getChildWithName("mod" + juce::String(slot));
    };
    modSlot(4).setProperty("p6m314_kfr", 0.25, nullptr);
    p.copyPasteSnapshot(9, 9, 6, 0); // G was never stored; A is current
    ASSERT_TRUE(settle(p));
    EXPECT_EQ(modelsAgainstTrees(p), "");

    modSlot(2).setProperty("p6m312_pwr", 0, nullptr);
    live(p, "ccsq1").setProperty("p3m31_sval3", 0.5, nullptr);
    p.initializeAllParamValues();
    ASSERT_TRUE(settle(p));
    EXPECT_EQ(modelsAgainstTrees(p), "");
}

TEST_F(ModelsAndTrees, RandomEditsSwitchesCopiesResetsSavesAndLoads)
{
    ZumiraboxAudioProcessor p, other;
    std::mt19937 rng(13);
    juce::MemoryBlock earlier = save(other);
    for (int step = 0; step < 60; ++step)
    {
        const int op = (int) (rng() % 10);
        std::string what;
        if (op < 4)
        {
            what = "edit";
            for (int i = 0; i < 5; ++i)
                randomEdit(p, rng);
        }
        else if (op < 6)
        {
            what = "switch";
            const int kind = (int) (rng() % 5);
            const int index = (int) (rng() % (unsigned) unitsOfKind[(size_t) kind]);
            p.setValueToValueTree(p.kindSnapParamIndex[kind][index], (float) (rng() % 8));
        }
        else if (op == 6)
        {
            what = "copy";
            const int kind = (int) (rng() % 5);
            const int src = firstIdOfKind[(size_t) kind] + (int) (rng() % (unsigned) unitsOfKind[(size_t) kind]);
            const int dst = firstIdOfKind[(size_t) kind] + (int) (rng() % (unsigned) unitsOfKind[(size_t) kind]);
            p.copyPasteSnapshot(src, dst, (int) (rng() % 8), (int) (rng() % 8));
        }
        else if (op == 7)
        {
            what = "initialise all";
            p.initializeAllParamValues();
        }
        else if (op == 8)
        {
            what = "save, then load into an instance in use";
            const auto chunk = save(p);
            load(other, chunk);
            ASSERT_TRUE(settle(other));
            ASSERT_EQ(modelsAgainstTrees(other), "") << "step " << step << ": " << what;
            earlier = chunk;
        }
        else
        {
            what = "load an earlier state";
            load(p, earlier);
        }
        ASSERT_TRUE(settle(p));
        ASSERT_EQ(modelsAgainstTrees(p), "") << "step " << step << ": " << what;
    }
}

TEST_F(ModelsAndTrees, ALoadClearsPendingSnapshotsAndCurrentOneIsNeverPending)
{
    ZumiraboxAudioProcessor p, source;
    p.prepareToPlay(48000.0, 256);
    p.startMidiLearn("p1m11_snp");
    auto run = [&](int value)
    {
        juce::MidiBuffer midi;
        midi.addEvent(juce::MidiMessage::controllerEvent(1, 20, value), 0);
        juce::AudioBuffer<float> audio(2, 256);
        p.processBlock(audio, midi);
    };
    run(1); // learns controller 20
    run(0); // names snapshot A, already current
    EXPECT_EQ(p.pendingSnapshotOfUnit(1), -1);

    run(127);
    ASSERT_EQ(p.pendingSnapshotOfUnit(1), 7);
    setParam(source, "p1m11_snp", 3.0f);
    ASSERT_TRUE(settle(source));
    load(p, save(source));
    EXPECT_EQ(p.pendingSnapshotOfUnit(1), -1);
    EXPECT_EQ(p.pitchSeqData.getPlaySnapshotIndex(0), 3);
}

TEST_F(ModelsAndTrees, UnitIdsOutsideTheRangeReadAsNoUnit)
{
    ZumiraboxAudioProcessor p;
    for (int id : {-1, 0, 16, 1000})
    {
        EXPECT_EQ(p.currentSnapshotOfUnit(id), 0);
        EXPECT_EQ(p.pendingSnapshotOfUnit(id), -1);
    }
}

TEST_F(ModelsAndTrees, ASaveOnTheHostThreadLeavesQueuedSwitchesToTheMessageThread)
{
    ZumiraboxAudioProcessor p;
    live(p, "prmsq1").setProperty("p2m21_sval1", 0.5, nullptr);
    ASSERT_TRUE(settle(p));

    juce::MemoryBlock chunk;
    std::thread host(
        [&]
        {
            setParam(p, "p2m21_snp", 1.0f);
            p.getStateInformation(chunk);
        });
    host.join();

    // The save carried out nothing: the switch is still queued, and the
    // document holds the last completed state (A live, its values stored).
    EXPECT_GT(p.snapshotQueue.size(), 0);
    auto doc = juce::AudioProcessor::getXmlFromBinary(chunk.getData(), (int) chunk.getSize());
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->getDoubleAttribute("p2m21_snp"), 0.0);
    auto* snaps = doc->getChildByName("snapmain")->getChildByName("prmsq1");
    EXPECT_EQ(snaps->getChildByName("snap1")->getStringAttribute("p2m21_sval1").getDoubleValue(), 0.5);
    EXPECT_EQ(snaps->getChildByName("snap2")->getNumAttributes(), 0);

    ASSERT_TRUE(settle(p));
    EXPECT_EQ(p.liveSnapshotOfUnit(5), 1);
    EXPECT_EQ(modelsAgainstTrees(p), "");
}

TEST_F(ModelsAndTrees, ASaveChangesNoParameter)
{
    ZumiraboxAudioProcessor p;
    ASSERT_TRUE(settle(p));
    std::vector<float> before;
    for (auto* param : p.getParameters())
        before.push_back(param->getValue());
    save(p);
    EXPECT_FALSE(p.isTimerRunning(ZumiraboxAudioProcessor::dummyFlipTimer));
    zutest::pumpFor(400);
    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(p.getParameters()[(int) i]->getValue(), before[i]) << i;
}

TEST_F(ModelsAndTrees, ASwitchQueuedBeforeALoadIsCarriedOutOnTheLoadedState)
{
    ZumiraboxAudioProcessor p, source;
    // The loaded song: snapshot B of CC unit 2 holds a value, A is live.
    setParam(source, "p3m32_snp", 1.0f);
    ASSERT_TRUE(settle(source));
    live(source, "ccsq2").setProperty("p3m32_sval2", 0.75, nullptr);
    setParam(source, "p3m32_snp", 0.0f);
    ASSERT_TRUE(settle(source));
    const auto chunk = save(source);

    // Automation from the host queues a switch to B, then the host loads.
    live(p, "ccsq2").setProperty("p3m32_sval2", 0.25, nullptr);
    std::thread host(
        [&]
        {
            setParam(p, "p3m32_snp", 1.0f);
            load(p, chunk);
        });
    host.join();
    ASSERT_TRUE(settle(p));

    // The loaded snapshot B is intact and the replaced song's values went nowhere.
    EXPECT_EQ(p.liveSnapshotOfUnit(10), 0);
    const auto storedB = p.snapTree.getChildWithName("ccsq2").getChildWithName("snap2");
    EXPECT_EQ(storedB.getProperty("p3m32_sval2").toString().getDoubleValue(), 0.75);
    EXPECT_EQ(modelsAgainstTrees(p), "");
}

TEST_F(ModelsAndTrees, ClearedDuplicateControllersNoLongerMoveTheirParameter)
{
    ZumiraboxAudioProcessor p;
    p.prepareToPlay(48000.0, 256);
    p.midiMap[5] = "p0_gch";
    p.midiMap[7] = "p0_gch";
    p.midiMapChanged();
    p.updateAndSaveSettingFile(); // clears controller 7, a duplicate
    ASSERT_TRUE(p.midiMap[7].isEmpty());

    juce::MidiBuffer midi;
    midi.addEvent(juce::MidiMessage::controllerEvent(1, 7, 127), 0);
    juce::AudioBuffer<float> audio(2, 256);
    p.processBlock(audio, midi);
    zutest::pumpFor(100);
    float gch = 0.0f;
    p.getValueFromValueTree(gch, p.paramProfile.getParamIndexFromString("p0_gch"));
    EXPECT_EQ(gch, 1.0f);
}

TEST_F(ModelsAndTrees, OutputMidiIsCopiedIntoTheHostsBuffer)
{
    ZumiraboxAudioProcessor p;
    p.prepareToPlay(48000.0, 256);
    p.globalData.midiThru = true;
    juce::MidiBuffer hostBuffer;
    hostBuffer.ensureSize(8192);
    const auto* storage = hostBuffer.data.begin();
    for (int block = 0; block < 4; ++block)
    {
        hostBuffer.clear();
        for (int i = 0; i < 50; ++i)
            hostBuffer.addEvent(juce::MidiMessage::noteOn(1, 40 + i, (juce::uint8) 90), i);
        juce::AudioBuffer<float> audio(2, 256);
        p.processBlock(audio, hostBuffer);
        EXPECT_EQ(hostBuffer.getNumEvents(), 50);
        EXPECT_EQ(hostBuffer.data.begin(), storage) << "the host keeps its own buffer; ours keeps its capacity";
    }
}
