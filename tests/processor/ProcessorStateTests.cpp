// SPDX-License-Identifier: GPL-3.0-or-later
// The state document: save, restore, version gate, locks and damaged input.
#include "ProcessorWait.h"

#include <gtest/gtest.h>

namespace
{
using zutest::settle;

struct State : ::testing::Test
{
    void SetUp() override
    {
        a = std::make_unique<ZumiraboxAudioProcessor>();
        b = std::make_unique<ZumiraboxAudioProcessor>();
    }

    static void setParam(ZumiraboxAudioProcessor& p, const char* id, float v)
    {
        p.setValueToValueTree(p.paramProfile.getParamIndexFromString(id), v);
    }
    static float param(ZumiraboxAudioProcessor& p, const char* id)
    {
        float v = 0.0f;
        p.getValueFromValueTree(v, p.paramProfile.getParamIndexFromString(id));
        return v;
    }
    static juce::ValueTree live(ZumiraboxAudioProcessor& p, const char* unit)
    {
        return p.paramTree.getChildWithName("seqmain").getChildWithName(unit);
    }
    static std::unique_ptr<juce::XmlElement> save(ZumiraboxAudioProcessor& p)
    {
        juce::MemoryBlock chunk;
        p.getStateInformation(chunk);
        return juce::AudioProcessor::getXmlFromBinary(chunk.getData(), (int) chunk.getSize());
    }
    static void load(ZumiraboxAudioProcessor& p, const juce::XmlElement& document)
    {
        juce::MemoryBlock chunk;
        juce::AudioProcessor::copyXmlToBinary(document, chunk);
        p.setStateInformation(chunk.getData(), (int) chunk.getSize());
    }

    std::unique_ptr<ZumiraboxAudioProcessor> a, b;
};
} // namespace

TEST_F(State, DocumentLayout)
{
    auto doc = save(*a);
    ASSERT_NE(doc, nullptr);
    EXPECT_TRUE(doc->hasTagName("ZUMIRA8"));
    EXPECT_NEAR(doc->getDoubleAttribute("pluginVersion"), 1.182, 1.0e-9);
    EXPECT_EQ(doc->getAttributeName(0), "pluginVersion");
    EXPECT_EQ(doc->getAttributeName(1), "p1m11_pwr");
    EXPECT_EQ(doc->getAttributeName(100), "dummy");
    EXPECT_EQ(doc->getNumAttributes(), 101);
    ASSERT_EQ(doc->getNumChildElements(), 3);
    EXPECT_EQ(doc->getChildElement(0)->getTagName(), "maintree");
    EXPECT_EQ(doc->getChildElement(1)->getTagName(), "param");
    EXPECT_EQ(doc->getChildElement(2)->getTagName(), "snapmain");
    EXPECT_DOUBLE_EQ(doc->getDoubleAttribute("p0_gch"), 1.0);
}

TEST_F(State, RoundTripOfParametersTreesAndSnapshots)
{
    auto& p = *a;
    setParam(p, "p0_gch", 7.0f);
    setParam(p, "p0_swing", -0.5f);
    setParam(p, "p7_macro8", 0.75f);
    p.mainTree.setProperty("ctstate", "CT:100 500 1300 ", nullptr);
    p.mainTree.setProperty("extra_editor_key", 3, nullptr);
    live(p, "ptchsq2").setProperty("p1m12_pch5", 9.0, nullptr);
    live(p, "ccrack1").setProperty("p5m51_kname2", "Cutoff", nullptr);
    p.paramTree.setProperty("p9_chord_type4", 6.0, nullptr);
    // Snapshot B of CC unit 1 holds an edit, then back to A with other edits.
    setParam(p, "p3m31_snp", 1.0f);
    ASSERT_TRUE(settle(p));
    live(p, "ccsq1").setProperty("p3m31_sval3", 0.5, nullptr);
    setParam(p, "p3m31_snp", 0.0f);
    ASSERT_TRUE(settle(p));
    live(p, "ccsq1").setProperty("p3m31_sval3", 0.25, nullptr);
    // The edit flips "Dummy" once its debounce ends; compare after that.
    ASSERT_TRUE(settle(p));

    auto doc = save(p);
    load(*b, *doc);
    ASSERT_TRUE(settle(*b));

    for (int i = 0; i < 100; ++i)
    {
        float va = 0.0f, vb = 0.0f;
        a->getValueFromValueTree(va, i);
        b->getValueFromValueTree(vb, i);
        EXPECT_EQ(va, vb) << a->paramIds[i];
    }
    EXPECT_EQ(b->mainTree.getProperty("ctstate").toString(), "CT:100 500 1300 ");
    EXPECT_EQ((int) b->mainTree.getProperty("extra_editor_key"), 3) << "editor keys survive whole";
    EXPECT_DOUBLE_EQ((double) live(*b, "ptchsq2").getProperty("p1m12_pch5"), 9.0);
    EXPECT_EQ(live(*b, "ccrack1").getProperty("p5m51_kname2").toString(), "Cutoff");
    EXPECT_EQ(b->pitchSeqData.units[1].snaps[0].steps[4].pch.value.load(), 9) << "the models follow the load";
    EXPECT_EQ(b->globalData.getCenterUnits().size(), 3);
    // Snapshot B reloads into the model.
    EXPECT_FLOAT_EQ(b->ccSeqData.units[0].snaps[1].steps[2].sval.value.load(), 0.5f);
    EXPECT_FLOAT_EQ(b->ccSeqData.units[0].snaps[0].steps[2].sval.value.load(), 0.25f);

    // Saving the restored instance gives the same document again.
    auto again = save(*b);
    EXPECT_TRUE(again->isEquivalentTo(doc.get(), false));
}

TEST_F(State, DamagedChunksAreIgnored)
{
    auto& p = *b;
    setParam(p, "p0_gch", 5.0f);
    p.startUpFlag = true;

    const char garbage[] = "definitely not a chunk";
    p.setStateInformation(garbage, (int) sizeof(garbage));
    p.setStateInformation(nullptr, 0);
    p.setStateInformation(garbage, 0);
    EXPECT_EQ(param(p, "p0_gch"), 5.0f);
    EXPECT_TRUE(p.startUpFlag.load()) << "an unreadable chunk changes nothing at all";

    // A truncated chunk.
    auto doc = save(*a);
    juce::MemoryBlock chunk;
    juce::AudioProcessor::copyXmlToBinary(*doc, chunk);
    p.setStateInformation(chunk.getData(), (int) chunk.getSize() / 2);
    EXPECT_EQ(param(p, "p0_gch"), 5.0f);

    // Wrong root, old version, missing version: refused, but the load ends.
    juce::XmlElement wrong("SOMETHING");
    wrong.setAttribute("pluginVersion", 1.182);
    wrong.setAttribute("p0_gch", 9.0);
    load(p, wrong);
    EXPECT_EQ(param(p, "p0_gch"), 5.0f);
    EXPECT_FALSE(p.startUpFlag.load());

    for (const char* version : {"0.998", "0.9.981", "", "nan"})
    {
        juce::XmlElement old("ZUMIRA8");
        if (*version != 0)
            old.setAttribute("pluginVersion", version);
        old.setAttribute("p0_gch", 9.0);
        load(p, old);
        EXPECT_EQ(param(p, "p0_gch"), 5.0f) << version;
    }

    juce::XmlElement ok("zumira8"); // the tag is compared without regard to case
    ok.setAttribute("pluginVersion", "0.9981");
    ok.setAttribute("p0_gch", 9.0);
    ok.setAttribute("p0_swing", "nan");
    ok.setAttribute("p0_gtp", 1.0e30);
    load(p, ok);
    EXPECT_EQ(param(p, "p0_gch"), 9.0f);
    EXPECT_EQ(param(p, "p0_swing"), 0.0f) << "a non-finite value counts as missing";
    EXPECT_EQ(param(p, "p0_gtp"), 12.0f) << "clamped into the range";
    EXPECT_EQ(param(p, "p1m11_pwr"), 1.0f) << "a missing attribute takes the default";
}

TEST_F(State, LocksKeepChannelsAndScaleAfterStartUp)
{
    auto& p = *b;
    // Instance state: locks on, channel 3, scale root 4, CC rack 1 knob 3 on channel 6.
    p.paramTree.setProperty("p0_midichlock", 1, nullptr);
    p.paramTree.setProperty("p0_scalelock", 1, nullptr);
    setParam(p, "p1m11_ch", 3.0f);
    setParam(p, "p8_scale_root", 4.0f);
    p.paramTree.setProperty("p8_scale_type1_wkey1", 0, nullptr);
    live(p, "ccrack1").setProperty("p5m51_kch3", 6.0, nullptr);

    // Document: channel 5, root 7, key on, knob channel 9, locks off.
    auto doc = save(*a);
    doc->setAttribute("p1m11_ch", 5.0);
    doc->setAttribute("p8_scale_root", 7.0);
    auto* paramChild = doc->getChildByName("param");
    paramChild->setAttribute("p0_midichlock", 0);
    paramChild->setAttribute("p0_scalelock", 0);
    paramChild->setAttribute("p8_scale_type1_wkey1", 1);
    paramChild->getChildByName("seqmain")->getChildByName("ccrack1")->setAttribute("p5m51_kch3", 9);

    // Within the start-up phase every stored value loads, the locks included.
    p.startUpFlag = true;
    auto copy = std::make_unique<juce::XmlElement>(*doc);
    load(p, *copy);
    EXPECT_EQ(param(p, "p1m11_ch"), 5.0f);
    EXPECT_FALSE(p.globalData.midiChLock.load());

    // Locks back on, start-up over: the instance keeps its values.
    p.paramTree.setProperty("p0_midichlock", 1, nullptr);
    p.paramTree.setProperty("p0_scalelock", 1, nullptr);
    setParam(p, "p1m11_ch", 3.0f);
    setParam(p, "p8_scale_root", 4.0f);
    p.paramTree.setProperty("p8_scale_type1_wkey1", 0, nullptr);
    live(p, "ccrack1").setProperty("p5m51_kch3", 6.0, nullptr);
    load(p, *doc);

    EXPECT_EQ(param(p, "p1m11_ch"), 3.0f);
    EXPECT_EQ(param(p, "p8_scale_root"), 4.0f);
    EXPECT_EQ((int) p.paramTree.getProperty("p8_scale_type1_wkey1"), 0);
    EXPECT_EQ((int) p.paramTree.getProperty("p0_midichlock"), 1);
    EXPECT_EQ((int) p.paramTree.getProperty("p0_scalelock"), 1);
    EXPECT_EQ(live(p, "ccrack1").getProperty("p5m51_kch3").toString().getIntValue(), 6);
}

TEST_F(State, PresetNamesAndSaveDuringAQueuedSwitch)
{
    auto& p = *a;
    auto preset = p.getXmlStateForSaveingPreset("My Song");
    EXPECT_EQ(p.paramTree.getProperty("presetname").toString(), "My Song");
    EXPECT_EQ(preset.getChildByName("param")->getStringAttribute("presetname"), "My Song");
    auto plain = save(p);
    EXPECT_EQ(p.paramTree.getProperty("presetname").toString(), "My Song") << "an empty name keeps the old one";

    // A switch still queued when the host saves: the live values of A must not
    // end up in B.
    live(p, "prmsq1").setProperty("p2m21_sval1", 0.5, nullptr);
    setParam(p, "p2m21_snp", 1.0f);
    auto doc = save(p);
    auto* snaps = doc->getChildByName("snapmain")->getChildByName("prmsq1");
    EXPECT_EQ(snaps->getChildByName("snap1")->getStringAttribute("p2m21_sval1").getDoubleValue(), 0.5);
    EXPECT_EQ(snaps->getChildByName("snap2")->getStringAttribute("p2m21_sval1").getDoubleValue(), 0.0);
}

TEST_F(State, TextAndNumbersReadBackWhateverWroteThem)
{
    auto& p = *a;
    const juce::String name = juce::CharPointer_UTF8("Cut & <Res> \"x\" \xc3\xa9\n'1'");
    live(p, "ccrack1").setProperty("p5m51_kname2", name, nullptr);
    setParam(p, "p0_swing", -0.3f);
    live(p, "ptchsq1").setProperty("p1m11_gate3", (double) 0.3f, nullptr);

    // Our chunk read by JUCE's parser; numbers as short as they read back.
    auto doc = save(p);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->getStringAttribute("p0_swing"), "-0.3");
    auto* pitch = doc->getChildByName("param")->getChildByName("seqmain")->getChildByName("ptchsq1");
    EXPECT_EQ(pitch->getStringAttribute("p1m11_gate3"), "0.3");
    EXPECT_EQ(pitch->getStringAttribute("p1m11_gate3").getFloatValue(), 0.3f);

    // JUCE's chunk of the same document read by ours.
    load(*b, *doc);
    EXPECT_EQ(live(*b, "ccrack1").getProperty("p5m51_kname2").toString(), name);
    EXPECT_EQ(param(*b, "p0_swing"), -0.3f);
    EXPECT_EQ(b->pitchSeqData.units[0].snaps[0].steps[2].gate.value.load(), 0.3f);

    // Markup our reader leaves to JUCE's still loads.
    auto text = doc->toString();
    text = text.replace("<maintree", "<!-- a comment --><maintree");
    text = text.replace("p0_swing=\"-0.3\"", "p0_swing=\"0.25\"");
    juce::MemoryBlock chunk;
    {
        juce::MemoryOutputStream out(chunk, false);
        out.writeInt(0x21324356); // JUCE's chunk for an XML text
        out.writeInt(0);
        out.writeString(text);
    }
    static_cast<juce::uint32*>(chunk.getData())[1] = (juce::uint32) chunk.getSize() - 9;
    b->setStateInformation(chunk.getData(), (int) chunk.getSize());
    EXPECT_EQ(param(*b, "p0_swing"), 0.25f);
}
