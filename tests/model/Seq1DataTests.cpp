// SPDX-License-Identifier: GPL-3.0-or-later
// The single-sequencer model: its name list, where each name writes, the
// write rules and the snapshot copy.
#include "ModelTestHelpers.h"

#include <cmath>
#include <functional>
#include <limits>
#include <map>

namespace
{
FieldList fieldsOf(const Seq1Data& m, bool withNames)
{
    FieldList f(withNames);
    f.add(m.power ? 1.0 : 0.0, [] { return std::string("power"); });
    f.add(m.currentSnapshot.load(), [] { return std::string("currentSnapshot"); });
    f.add(m.currentStep.load(), [] { return std::string("currentStep"); });
    for (int s = 0; s < Seq1Data::numSnapshots; ++s)
    {
        const auto& snap = m.snapshots[(size_t) s];
        const auto head = "s" + std::to_string(s) + ".";
        const auto name = [&head](const char* n) { return [&head, n] { return head + n; }; };
        f.add(snap.relMode ? 1.0 : 0.0, name("relMode"));
        f.add(snap.resetCount.load(), name("resetCount"));
        f.add(snap.channel.load(), name("channel"));
        f.add(snap.freeClock.load(), name("freeClock"));
        f.add(snap.clockSync ? 1.0 : 0.0, name("clockSync"));
        f.add(snap.clockType.load(), name("clockType"));
        f.addParam(snap.relBaseNote, name("relBaseNote"));
        f.addParam(snap.direction, name("direction"));
        f.addParam(snap.start, name("start"));
        f.addParam(snap.size, name("size"));
        f.addParam(snap.octave, name("octave"));
        f.addParam(snap.transpose, name("transpose"));
        f.addParam(snap.syncedClock, name("syncedClock"));
        for (int k = 0; k < Seq1Data::numSteps; ++k)
        {
            const auto& st = snap.steps[(size_t) k];
            const auto stepHead = head + "step" + std::to_string(k + 1) + ".";
            const auto stepName = [&stepHead](const char* n) { return [&stepHead, n] { return stepHead + n; }; };
            f.add(st.chordOn ? 1.0 : 0.0, stepName("chordOn"));
            for (int j = 0; j < Seq1Data::numChordNotes; ++j)
                f.add(st.chordNotes[(size_t) j].load(),
                      [&stepHead, j] { return stepHead + "chordNote" + std::to_string(j + 1); });
            f.addParam(st.pitch, stepName("pitch"));
            f.addParam(st.relPitch, stepName("relPitch"));
            f.addParam(st.octave, stepName("octave"));
            f.addParam(st.velocity, stepName("velocity"));
            f.addParam(st.gate, stepName("gate"));
            f.addParam(st.probability, stepName("probability"));
            f.addParam(st.slur, stepName("slur"));
            f.addParam(st.stepOn, stepName("stepOn"));
        }
    }
    return f;
}

struct Seq1Model : ::testing::Test
{
    void SetUp() override
    {
        m = std::make_unique<Seq1Data>();
        m->createParamMap();
    }

    Seq1Data::SnapData& snap(int s) { return m->snapshots[(size_t) s]; }
    Seq1Data::StepData& step(int s, int k) { return snap(s).steps[(size_t) (k - 1)]; }

    std::unique_ptr<Seq1Data> m;
};
} // namespace

TEST_F(Seq1Model, ListsItsNamesInOrder)
{
    ASSERT_EQ(m->nameList.size(), Seq1Data::numNames);
    const std::pair<int, const char*> spots[] = {
        {0, "sq1_pwr"},
        {1, "sq1_ch"},
        {2, "sq1_dir"},
        {7, "sq1_fclk"},
        {36, "sq1_relmode"},
        {41, "sq1_relbasenote_moddep2"},
        {42, "sq1_snp"},
        {43, "sq1_pch1"},
        {44, "sq1_pch1_modsrc1"},
        {45, "sq1_pch1_modsrc2"},
        {46, "sq1_pch1_moddep1"},
        {47, "sq1_pch1_moddep2"},
        {48, "sq1_pch2"},
        {203, "sq1_relpch1"},
        {363, "sq1_schrd1"},
        {394, "sq1_schrd32"},
        {395, "sq1_s1_cn1"},
        {399, "sq1_s1_cn5"},
        {400, "sq1_s2_cn1"},
        {555, "sq1_oct1"},
        {715, "sq1_vel1"},
        {716, "sq1_vel1_modsrc1"},
        {717, "sq1_vel1_moddep1"},
        {718, "sq1_vel2"},
        {1099, "sq1_spwr1"},
        {1194, "sq1_spwr32_moddep1"},
    };
    for (const auto& [index, name] : spots)
    {
        EXPECT_EQ(m->nameList[index], name) << index;
        EXPECT_EQ(Seq1Data::indexOfName(name), index) << name;
    }

    std::set<juce::String> unique;
    for (const auto& n : m->nameList)
        unique.insert(n);
    EXPECT_EQ((int) unique.size(), Seq1Data::numNames) << "no name twice";

    // Made again, the list is the same and not doubled.
    m->createParamMap();
    EXPECT_EQ(m->nameList.size(), Seq1Data::numNames);
    EXPECT_EQ(Seq1Data().nameList.size(), 0) << "empty until createParamMap";
}

TEST_F(Seq1Model, EveryNameWritesAFieldOfItsOwn)
{
    // A write of 3 through each name changes exactly one field of a new
    // model (a depth of 3 without a source leaves modActive off), and no two
    // names change the same field. The two flags that start on (power, clock
    // sync) take 0.
    std::map<size_t, juce::String> owners;
    const auto labels = fieldsOf(*m, true).labels;
    for (const auto& name : m->nameList)
    {
        Seq1Data model;
        model.createParamMap();
        const auto before = fieldsOf(model, false).values;
        model.setParamVal(name, (name == "sq1_pwr" || name == "sq1_csync") ? 0.0f : 3.0f);
        const auto after = fieldsOf(model, false).values;
        std::vector<size_t> changed;
        for (size_t i = 0; i < before.size(); ++i)
            if (before[i] != after[i])
                changed.push_back(i);
        ASSERT_EQ(changed.size(), 1u) << name;
        const auto [it, fresh] = owners.emplace(changed[0], name);
        EXPECT_TRUE(fresh) << name << " and " << it->second << " both write " << labels[changed[0]];
        // The value writes land in snapshot 0.
        const auto& label = labels[changed[0]];
        if (name != "sq1_pwr" && name != "sq1_snp")
        {
            EXPECT_EQ(label.rfind("s0.", 0), 0u) << name << " wrote " << label;
        }
    }
}

TEST_F(Seq1Model, WriteRules)
{
    struct Case
    {
        const char* what;
        std::function<void(Seq1Model&)> act;
        std::function<bool(Seq1Model&)> holds;
    };
    const auto set = [](const char* n, float v) { return [n, v](Seq1Model& t) { t.m->setParamVal(n, v); }; };
    const std::vector<Case> cases = {
        {"a new model: power on, snapshot 0, no step playing", [](Seq1Model&) {},
         [](Seq1Model& t) { return t.m->power && t.m->currentSnapshot == 0 && t.m->currentStep == -1; }},
        {"a new model: every snapshot at its defaults", [](Seq1Model&) {},
         [](Seq1Model& t)
         {
             for (const auto& s : t.m->snapshots)
             {
                 if (s.relBaseNote.value != 48 || s.start.value != 1 || s.size.value != 16 ||
                     s.syncedClock.value != 11 || s.freeClock != 0.3f || !s.clockSync || s.relMode || s.channel != 0)
                     return false;
                 for (const auto& st : s.steps)
                     if (st.pitch.value != 0 || st.octave.value != 2 || st.velocity.value != 100.0f ||
                         st.gate.value != 50.0f || st.probability.value != 100.0f || st.stepOn.value != 1 ||
                         st.slur.value != 0 || st.chordOn || st.velocity.modActive)
                         return false;
             }
             return true;
         }},
        {"channel 0 stores 1", set("sq1_ch", 0.0f), [](Seq1Model& t) { return t.snap(0).channel == 1; }},
        {"channel -3 stores 1", set("sq1_ch", -3.0f), [](Seq1Model& t) { return t.snap(0).channel == 1; }},
        {"channel 17.9 stores 16", set("sq1_ch", 17.9f), [](Seq1Model& t) { return t.snap(0).channel == 16; }},
        {"channel 5.7 stores 5", set("sq1_ch", 5.7f), [](Seq1Model& t) { return t.snap(0).channel == 5; }},
        {"snapshot 3, then a velocity, writes snapshot 3 only",
         [](Seq1Model& t)
         {
             t.m->setParamVal("sq1_snp", 3.0f);
             t.m->setParamVal("sq1_vel5", 80.0f);
         },
         [](Seq1Model& t)
         {
             return t.m->currentSnapshot == 3 && t.step(3, 5).velocity.value == 80.0f &&
                    t.step(0, 5).velocity.value == 100.0f && t.step(3, 4).velocity.value == 100.0f;
         }},
        {"a snapshot above 7 writes snapshot 7, below 0 snapshot 0",
         [](Seq1Model& t)
         {
             t.m->setParamVal("sq1_snp", 1.0e9f);
             t.m->setParamVal("sq1_gate2", 10.0f);
             t.m->setParamVal("sq1_snp", -5.0f);
             t.m->setParamVal("sq1_gate2", 20.0f);
         },
         [](Seq1Model& t)
         { return t.step(7, 2).gate.value == 10.0f && t.step(0, 2).gate.value == 20.0f && t.m->currentSnapshot == 0; }},
        {"sq1_schrd7 with 1 sets step 7's chord flag only", set("sq1_schrd7", 1.0f),
         [](Seq1Model& t)
         {
             for (int k = 1; k <= 32; ++k)
                 if (t.step(0, k).chordOn != (k == 7))
                     return false;
             return true;
         }},
        {"a depth without a source leaves modActive off", set("sq1_pch1_moddep1", 0.5f),
         [](Seq1Model& t) { return !t.step(0, 1).pitch.modActive && t.step(0, 1).pitch.modDepth[0] == 0.5f; }},
        {"then a source turns it on",
         [](Seq1Model& t)
         {
             t.m->setParamVal("sq1_pch1_moddep1", 0.5f);
             t.m->setParamVal("sq1_pch1_modsrc1", 3.0f);
         },
         [](Seq1Model& t) { return t.step(0, 1).pitch.modActive && t.step(0, 1).pitch.modSource[0] == 3; }},
        {"slot 2 alone turns a two-slot value's modActive on",
         [](Seq1Model& t)
         {
             t.m->setParamVal("sq1_goct_modsrc2", 1.0f);
             t.m->setParamVal("sq1_goct_moddep2", -0.1f);
         },
         [](Seq1Model& t) { return t.snap(0).octave.modActive; }},
        {"velocity source 2 and depth -0.2 turn its modActive on",
         [](Seq1Model& t)
         {
             t.m->setParamVal("sq1_vel1_modsrc1", 2.0f);
             t.m->setParamVal("sq1_vel1_moddep1", -0.2f);
         },
         [](Seq1Model& t) { return t.step(0, 1).velocity.modActive; }},
        {"relative mode at exactly 0.5 is off, above it on",
         [](Seq1Model& t)
         {
             t.m->setParamVal("sq1_relmode", 0.5f);
             t.m->snapshots[1].relMode = t.snap(0).relMode.load();
             t.m->setParamVal("sq1_relmode", 0.51f);
         },
         [](Seq1Model& t) { return !t.snap(1).relMode && t.snap(0).relMode; }},
        {"power at 0.5 is off", set("sq1_pwr", 0.5f), [](Seq1Model& t) { return !t.m->power; }},
        {"ints truncate toward zero: pitch 7.9 and -2.7",
         [](Seq1Model& t)
         {
             t.m->setParamVal("sq1_pch3", 7.9f);
             t.m->setParamVal("sq1_relpch3", -2.7f);
             t.m->setParamVal("sq1_s3_cn2", 62.6f);
         },
         [](Seq1Model& t) {
             return t.step(0, 3).pitch.value == 7 && t.step(0, 3).relPitch.value == -2 &&
                    t.step(0, 3).chordNotes[1] == 62;
         }},
        {"letter case matters: SQ1_VEL1 and sq1_Vel1 change nothing",
         [](Seq1Model& t)
         {
             t.m->setParamVal("SQ1_VEL1", 7.0f);
             t.m->setParamVal("sq1_Vel1", 7.0f);
             t.m->setParamVal("sq1_vel33", 7.0f);
         },
         [](Seq1Model& t) { return t.step(0, 1).velocity.value == 100.0f; }},
        {"a value that is not finite changes nothing",
         [](Seq1Model& t)
         {
             t.m->setParamVal("sq1_ch", std::numeric_limits<float>::quiet_NaN());
             t.m->setParamVal("sq1_snp", std::numeric_limits<float>::infinity());
             t.m->setParamVal("sq1_gate1", std::numeric_limits<float>::quiet_NaN());
         },
         [](Seq1Model& t)
         { return t.snap(0).channel == 0 && t.m->currentSnapshot == 0 && t.step(0, 1).gate.value == 50.0f; }},
        {"index-like values stay in range: direction 9, size 40, start 0, step octave 7",
         [](Seq1Model& t)
         {
             t.m->setParamVal("sq1_dir", 9.0f);
             t.m->setParamVal("sq1_size", 40.0f);
             t.m->setParamVal("sq1_strt", 0.0f);
             t.m->setParamVal("sq1_oct4", 7.0f);
         },
         [](Seq1Model& t)
         {
             return t.snap(0).direction.value == 5 && t.snap(0).size.value == 32 && t.snap(0).start.value == 1 &&
                    t.step(0, 4).octave.value == 4;
         }},
    };
    for (const auto& c : cases)
    {
        SetUp();
        c.act(*this);
        EXPECT_TRUE(c.holds(*this)) << c.what;
    }
}

TEST_F(Seq1Model, SnapshotCopy)
{
    m->setParamVal("sq1_ch", 9.0f);
    m->setParamVal("sq1_vel12", 33.0f);
    m->setParamVal("sq1_pch1_modsrc2", 4.0f);
    m->setParamVal("sq1_pch1_moddep2", 0.25f);
    m->setParamVal("sq1_schrd32", 1.0f);
    const auto source = fieldsOf(*m, false).values;

    // The same index, and indices outside 0..7, copy nothing.
    for (const auto& [from, to] : std::vector<std::pair<int, int>>{{2, 2}, {-1, 3}, {0, 8}, {8, 0}, {0, -1}})
    {
        m->snapCopyPaste(from, to);
        EXPECT_EQ(fieldsOf(*m, false).values, source) << from << " -> " << to;
    }

    m->snapCopyPaste(0, 7);
    EXPECT_EQ(snap(7).channel, 9);
    EXPECT_EQ(step(7, 12).velocity.value, 33.0f);
    EXPECT_TRUE(step(7, 1).pitch.modActive);
    EXPECT_TRUE(step(7, 32).chordOn);
    EXPECT_EQ(snap(6).channel, 0) << "only the destination changes";

    m->setSnapshotStatesFromValueTree(juce::ValueTree("seq1snapmain"));
    EXPECT_EQ(snap(7).channel, 9) << "reading a tree does nothing";
}
