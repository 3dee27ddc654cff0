// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's view of the processor leads to the processor's own trees,
// models and operations.
#include "ZuEditorAccess.h"

#include "PluginProcessor.h"

#include <gtest/gtest.h>

TEST(EditorAccess, LeadsToTheProcessorsTreesModelsAndSettings)
{
    ZumiraboxAudioProcessor processor;
    const ZuEditorAccess access(processor);

    EXPECT_EQ(access.getParamTree(), processor.paramTree);
    EXPECT_EQ(access.getMainTree(), processor.mainTree);
    EXPECT_EQ(access.getSnapTree(), processor.snapTree);
    EXPECT_EQ(access.getMidiMapTree(), processor.midiMapTree);
    EXPECT_EQ(&access.getParameterState(), &processor.paramState);
    EXPECT_EQ(&access.getGlobalData(), &processor.globalData);
    EXPECT_EQ(&access.getPitchData(), &processor.pitchSeqData);
    EXPECT_EQ(&access.getCcRackData(), &processor.ccRackData);
    EXPECT_EQ(&access.getLfoData(), &processor.lfoData);
    EXPECT_EQ(&access.getChordData(), &processor.chordData);
    EXPECT_EQ(&access.getSettings(), static_cast<PluginSettingState*>(&processor));
    EXPECT_TRUE(access.getPolarityToggle().refersToSameSourceAs(processor.polarityToggle));

    access.setChordNoteTarget(11);
    EXPECT_EQ(processor.chordNoteTarget.load(), 11);
    access.setChordNoteTarget(12);
    EXPECT_EQ(processor.chordNoteTarget.load(), -1);
}

TEST(EditorAccess, UnitOperationsReachTheTreesAndModels)
{
    ZumiraboxAudioProcessor processor;
    const ZuEditorAccess access(processor);
    auto live = processor.paramTree.getChildWithName("seqmain").getChildWithName("ptchsq2");
    live.setProperty("p1m12_pch3", 9.0, nullptr);

    // Snapshot 0 of pitch unit 2 (playing) onto snapshot 4 of pitch unit 4.
    access.copyPasteSnapshot(2, 4, 0, 4);
    const auto stored = processor.snapTree.getChildWithName("ptchsq4").getChildWithName("snap5");
    EXPECT_DOUBLE_EQ((double) stored.getProperty("p1m14_pch3"), 9.0);
    EXPECT_EQ(processor.pitchSeqData.units[3].snaps[4].steps[2].pch.value,
              processor.pitchSeqData.units[1].snaps[0].steps[2].pch.value);

    access.initUnitParams(zu::units::pitch, 1);
    EXPECT_DOUBLE_EQ((double) live.getProperty("p1m12_pch3"), 0.0);
}
