// SPDX-License-Identifier: GPL-3.0-or-later
// What a listener hears of the scale and of swing: the processor plays pitch
// units with a host transport while the scale keys, root and swing change.
#include "ProcessorWait.h"
#include "SteadyHead.h"

#include "CenterUnitHandler.h"
#include "MainEngine.h"
#include "PtchSEQ_Engine.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdint>
#include <thread>
#include <vector>

namespace
{
using zutest::pumpUntil;

constexpr int blockSize = 512;
constexpr int samplesPerStep = 6000; // a sixteenth at 120 bpm, 48 kHz

using zutest::SteadyHead;

struct NoteOn
{
    int64_t sample = 0;
    int channel = 0;
    int note = 0;
};

// Twelve key flags, C first.
using Keys = std::array<bool, 12>;
const Keys cMajor{true, false, true, false, true, true, false, true, false, true, false, true};
const Keys allKeys{true, true, true, true, true, true, true, true, true, true, true, true};

struct ScaleSwingPlayback : ::testing::Test
{
    void SetUp() override
    {
        processor = std::make_unique<ZumiraboxAudioProcessor>();
        processor->setPlayHead(&head);
        processor->prepareToPlay(48000.0, blockSize);
    }
    void TearDown() override
    {
        processor->setPlayHead(nullptr);
        processor.reset();
    }

    void listUnits(const char* state)
    {
        processor->mainTree.setProperty("ctstate", state, nullptr);
        processor->globalData.loadCenterUnitStateFromString(state);
    }
    void setParam(const juce::String& id, float plainValue)
    {
        const int index = processor->paramProfile.getParamIndexFromString(id);
        ASSERT_GE(index, 0) << id;
        processor->setValueToValueTree(index, plainValue);
    }
    juce::ValueTree live(const char* unit)
    {
        return processor->paramTree.getChildWithName("seqmain").getChildWithName(unit);
    }

    // Pitch unit 1 steps through pch 0..12 at octave 2: notes 48 to 60.
    void chromaticRun()
    {
        auto unit = live("ptchsq1");
        for (int k = 0; k < 13; ++k)
            unit.setProperty("p1m11_pch" + juce::String(k + 1), k, nullptr);
        unit.setProperty("p1m11_size", 13, nullptr);
        ASSERT_EQ(processor->pitchSeqData.units[0].snaps[0].size.value.load(), 13);
        ASSERT_EQ(processor->pitchSeqData.units[0].snaps[0].steps[12].pch.value.load(), 12);
    }

    // Writes the key flags to the tree as the editor does and waits for the
    // table that the message thread rebuilds from them.
    void setKeys(const Keys& keys)
    {
        const auto before = processor->scaleData.getPublishCount();
        for (size_t j = 0; j < keys.size(); ++j)
            processor->paramTree.setProperty(processor->scaleData.keyNames[j], keys[j] ? 1 : 0, nullptr);
        ASSERT_TRUE(pumpUntil(
            [&]
            {
                return processor->scaleData.getPublishCount() > before &&
                       processor->scaleData.getScaleTable() == ScaleData::buildScaleTable(keys);
            }));
    }

    std::vector<NoteOn> play(int numBlocks)
    {
        std::vector<NoteOn> ons;
        juce::AudioBuffer<float> audio(2, blockSize);
        for (int b = 0; b < numBlocks; ++b)
        {
            juce::MidiBuffer midi;
            processor->processBlock(audio, midi);
            for (const auto m : midi)
            {
                const auto msg = m.getMessage();
                if (msg.isNoteOn())
                    ons.push_back({head.sample + m.samplePosition, msg.getChannel(), msg.getNoteNumber()});
            }
            head.sample += blockSize;
        }
        return ons;
    }

    // The notes of the next n steps (a block holds at most one step).
    std::vector<int> nextNotes(int n)
    {
        std::vector<int> notes;
        for (int b = 0; b < 4 * n * samplesPerStep / blockSize && (int) notes.size() < n; ++b)
            for (const auto& on : play(1))
                notes.push_back(on.note);
        return notes;
    }

    SteadyHead head;
    std::unique_ptr<ZumiraboxAudioProcessor> processor;
};
} // namespace

TEST_F(ScaleSwingPlayback, AChromaticRunPlaysOnlyNotesOfTheScaleFromItsRoot)
{
    // Each key that is off moves to the nearest key on, upward first; the
    // root lays the scale from its pitch class and the note keeps its place.
    struct Row
    {
        int input;
        int cMajorRootC;
        int cMajorRootD; // D major
    };
    const Row rows[] = {
        {48, 48, 49}, {49, 50, 49}, {50, 50, 50}, {51, 52, 52}, {52, 52, 52}, {53, 53, 54}, {54, 55, 54},
        {55, 55, 55}, {56, 57, 57}, {57, 57, 57}, {58, 59, 59}, {59, 59, 59}, {60, 60, 61},
    };
    std::vector<int> inputs, rootC, rootD;
    for (const auto& r : rows)
    {
        inputs.push_back(r.input);
        rootC.push_back(r.cMajorRootC);
        rootD.push_back(r.cMajorRootD);
    }

    listUnits("CT:100 ");
    chromaticRun();
    setKeys(cMajor);
    EXPECT_EQ(nextNotes(13), rootC) << "C major, root C";

    setParam("p8_scale_root", 2.0f);
    EXPECT_EQ(nextNotes(13), rootD) << "C major laid from D: D major";

    setParam("p8_scale_pwr", 0.0f);
    EXPECT_EQ(nextNotes(13), inputs) << "scale off";

    setParam("p8_scale_pwr", 1.0f);
    setParam("p8_scaletar1", 0.0f);
    EXPECT_EQ(nextNotes(13), inputs) << "unit 1 not a scale target";
}

TEST_F(ScaleSwingPlayback, ATableChangedWhilePlayingIsHeardFromTheNextStep)
{
    listUnits("CT:100 ");
    chromaticRun();
    setKeys(allKeys);
    EXPECT_EQ(nextNotes(3), (std::vector<int>{48, 49, 50}));

    // Only C and G on: D# (51) is 3 from C and 4 from G, so it goes down to
    // 48; E (52) and F (53) are nearer to G: 55.
    setKeys(Keys{true, false, false, false, false, false, false, true, false, false, false, false});
    EXPECT_EQ(nextNotes(3), (std::vector<int>{48, 55, 55}));
}

TEST_F(ScaleSwingPlayback, ATableWrittenDuringPlayIsTakenWhole)
{
    // One writer publishes two tables that differ in every entry while the
    // processor plays; after every block the unit holds one of them whole
    // and each note follows the table the unit holds.
    listUnits("CT:100 ");
    chromaticRun();
    ScaleData::Table identity{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    ScaleData::Table upOne{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    processor->scaleData.publishTable(identity);

    std::atomic<bool> running{true};
    std::thread writer(
        [&]
        {
            for (int i = 0; running.load(); ++i)
                processor->scaleData.publishTable(i % 2 == 0 ? upOne : identity);
        });

    juce::AudioBuffer<float> audio(2, blockSize);
    int checkedNotes = 0;
    for (int b = 0; b < 400; ++b)
    {
        juce::MidiBuffer midi;
        processor->processBlock(audio, midi);
        head.sample += blockSize;
        auto* engine = processor->mainEngine->getUnitHandler().getPitchEngine(1);
        ASSERT_NE(engine, nullptr);
        const auto held = engine->getScaleTable();
        ASSERT_TRUE(held == identity || held == upOne) << "block " << b;
        for (const auto m : midi)
            if (m.getMessage().isNoteOn())
            {
                const int input = 48 + processor->globalData.curSteps[0];
                EXPECT_EQ(m.getMessage().getNoteNumber(), held == upOne ? input + 1 : input) << "block " << b;
                ++checkedNotes;
            }
    }
    running = false;
    writer.join();
    EXPECT_GT(checkedNotes, 10);
}

namespace
{
// Note-on samples of the next whole bar, counted from its start: unit 1
// (channel 1) and unit 2 (channel 2).
struct BarOfSteps
{
    std::vector<int64_t> channel1, channel2;
};

// Where step k of a sixteenth-note unit starts in its bar, as the unit's clock numbers the steps.
double gridStart(size_t k)
{
    return juce::jmax(0.0, std::ceil((double) k * 96000.0 / 15.995) - 1.0);
}
} // namespace

TEST_F(ScaleSwingPlayback, SwingMovesEverySecondNoteOnOfTargetUnitsOnly)
{
    // Unit 1 on channel 1 is a swing target, unit 2 on channel 2 is not.
    listUnits("CT:100 200 ");
    setParam("p1m12_ch", 2.0f);
    setParam("p0_swgtar1", 1.0f);
    setParam("p0_swgtar2", 0.0f);

    const auto nextBar = [this]
    {
        BarOfSteps steps;
        const int64_t bar = (head.sample / 96000 + 1) * 96000;
        for (const auto& on : play((int) ((bar + 96000 - head.sample) / blockSize) + 1))
            if (on.sample >= bar && on.sample < bar + 96000)
                (on.channel == 1 ? steps.channel1 : steps.channel2).push_back(on.sample - bar);
        return steps;
    };

    // Amount a moves the second sixteenth of each pair by 0.49 sign(a) a^2 of a
    // step; the second modulation slot adds twice its modulation to the amount.
    struct Row
    {
        const char* what;
        float amount;
        float macro; // macro 1, the second slot's source at depth 1
        int offset;  // samples at 120 bpm, 48 kHz
    };
    const Row rows[] = {
        {"no swing", 0.0f, 0.0f, 0},
        {"amount 1", 1.0f, 0.0f, 2940},
        {"amount 0.5", 0.5f, 0.0f, 735},
        {"amount -0.5", -0.5f, 0.0f, -735},
        {"amount -1", -1.0f, 0.0f, -2940},
        {"amount 0 modulated to 0.5", 0.0f, 0.25f, 735},
        {"amount -1 modulated to 0", -1.0f, 0.5f, 0},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.what);
        setParam("p0_swing", row.amount);
        setParam("p7_macro1", row.macro);
        processor->paramTree.setProperty("p0_swing_modsrc2", row.macro > 0.0f ? 9 : 0, nullptr);
        processor->paramTree.setProperty("p0_swing_moddep2", 1.0, nullptr);
        // The macro settles within a bar.
        nextBar();
        const auto steps = nextBar();
        ASSERT_EQ(steps.channel1.size(), 16u);
        ASSERT_EQ(steps.channel2.size(), 16u);
        for (size_t k = 0; k < 16; ++k)
        {
            const double expected = gridStart(k) + (k % 2 == 1 ? row.offset : 0);
            // The warp is read from a table of 512 points a bar (188 samples apart here).
            EXPECT_NEAR((double) steps.channel1[k], expected, 94.0) << "step " << k;
            EXPECT_NEAR((double) steps.channel2[k], gridStart(k), 1.0)
                << "step " << k << " of a unit that is not a target";
        }
    }
}
