// SPDX-License-Identifier: GPL-3.0-or-later
// What a VST2 host sees of the plug-in, and a cross-check of the harness
// against a plug-in built elsewhere.
#include "VstHost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace
{
constexpr int fourCC(const char (&code)[5])
{
    return (code[0] << 24) | (code[1] << 16) | (code[2] << 8) | code[3];
}

VstHost& plugin()
{
    static VstHost host(ZU_PLUGIN_PATH);
    return host;
}
} // namespace

TEST(HostIdentity, EffectHeaderMatchesTheProduct)
{
    auto& host = plugin();
    ASSERT_NE(host.effect(), nullptr) << host.error();
    const auto* fx = host.effect();

    EXPECT_FALSE(host.usedLegacyEntry());
    EXPECT_EQ(fx->magic, kEffectMagic);
    EXPECT_EQ(fx->uniqueID, fourCC("Zu48"));
    EXPECT_EQ(fx->numInputs, 0);
    EXPECT_EQ(fx->numOutputs, 2);
    EXPECT_EQ(fx->numParams, 100);
    EXPECT_EQ(fx->numPrograms, 1);
    EXPECT_NE(fx->flags & Vst2::effFlagsIsSynth, 0);
    EXPECT_NE(fx->flags & Vst2::effFlagsProgramChunks, 0);
    EXPECT_NE(fx->flags & Vst2::effFlagsCanReplacing, 0);

    EXPECT_EQ(host.getString(Vst2::effGetEffectName), "ZU-MIRA8");
    EXPECT_EQ(host.getString(Vst2::effGetVendorString), "Zurvana");
    EXPECT_EQ(host.getString(Vst2::effGetProductString), "ZU-MIRA8");
    EXPECT_EQ(host.dispatch(Vst2::effGetVendorVersion), 0x010152); // 1.1.82
    EXPECT_EQ(host.dispatch(Vst2::effGetPlugCategory), Vst2::kPlugCategSynth);
    EXPECT_EQ(host.dispatch(Vst2::effGetVstVersion), kVstVersion);

    EXPECT_TRUE(host.canDo("receiveVstEvents"));
    EXPECT_TRUE(host.canDo("sendVstEvents"));
    EXPECT_TRUE(host.canDo("receiveVstTimeInfo"));
}

TEST(HostIdentity, StereoOutputPinsAreActive)
{
    auto& host = plugin();
    ASSERT_NE(host.effect(), nullptr) << host.error();

    for (int pin = 0; pin < 2; ++pin)
    {
        Vst2::VstPinProperties props{};
        ASSERT_EQ(host.dispatch(Vst2::effGetOutputProperties, pin, 0, &props), 1);
        EXPECT_NE(props.flags & Vst2::kVstPinIsActive, 0);
        EXPECT_EQ(props.arrangementType, Vst2::kSpeakerArrStereo);
        EXPECT_EQ(std::string(props.label).rfind("Output", 0), 0u) << props.label;
    }
    Vst2::VstPinProperties left{};
    host.dispatch(Vst2::effGetOutputProperties, 0, 0, &left);
    EXPECT_NE(left.flags & Vst2::kVstPinIsStereo, 0);
}

TEST(HostIdentity, ParametersShowTheProfile)
{
    auto& host = plugin();
    ASSERT_NE(host.effect(), nullptr) << host.error();

    std::set<std::string> names;
    for (int i = 0; i < 100; ++i)
    {
        const auto name = host.paramName(i);
        EXPECT_FALSE(name.empty()) << i;
        names.insert(name);
        const float v = host.getParameter(i);
        EXPECT_TRUE(v >= 0.0f && v <= 1.0f) << i;
    }
    EXPECT_EQ(names.size(), 100u) << "parameter names must be unique";

    struct Expected
    {
        int index;
        const char* name;
        float normalisedDefault;
        const char* display;
    };
    const Expected cases[] = {
        {0, "PitchSQ1 Power", 1.0f, "1"},
        {1, "PitchSQ1 CH", 0.0f, "0"},
        {2, "PitchSQ1 Snapshot", 0.0f, "0"},
        {33, "OctTP SQ1 Snapshot", 0.0f, "0"},
        {37, "CC Rack2 Snapshot", 0.0f, "0"},
        {38, "Macro1", 0.0f, nullptr},
        {46, "Swing", 0.5f, nullptr},
        {51, "Swing Center ParamSQ4", 1.0f, nullptr},
        {52, "Swing Center ParamSQ5", 1.0f, nullptr},
        {59, "Swing Center OctTpSQ", 1.0f, nullptr},
        {60, "Global Oct", 0.5f, "0"},
        {61, "Global TP", 0.5f, "0"},
        {62, "G-OctTp Center PitchSQ0", 1.0f, nullptr},
        {66, "Global MidiCH", 0.0f, "1"},
        {70, "Scale Root", 0.0f, "0"},
        {80, "Chord Center PSQ3", 0.0f, nullptr},
        {87, "Reset/ReSync Center ParamSQ4", 1.0f, nullptr},
        {99, "Dummy", 0.0f, "0"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(host.paramName(c.index), c.name);
        EXPECT_NEAR(host.getParameter(c.index), c.normalisedDefault, 1.0e-6f);
        if (c.display != nullptr)
        {
            EXPECT_EQ(host.paramDisplay(c.index), c.display);
        }
    }
}

TEST(HostIdentity, OpensPreparesProcessesAndCloses)
{
    VstHost host(ZU_PLUGIN_PATH);
    ASSERT_NE(host.effect(), nullptr) << host.error();
    host.open(48000.0, 512);
    host.resume();
    host.transport.playing = true;
    for (int block = 0; block < 8; ++block)
    {
        host.process(512);
        host.advance(512);
        for (int ch = 0; ch < 2; ++ch)
            for (float s : host.output(ch))
                ASSERT_EQ(s, 0.0f);
    }
    host.close();
}

// The harness shares its interface headers with the plug-in, so it cannot see
// a wrong value by itself: drive a synth built elsewhere through it.
TEST(HostCrossCheck, IndependentSynthLoadsAndPlays)
{
    const char* path = "/usr/lib/vst/Kars-vst.so";
    VstHost host(path);
    ASSERT_NE(host.effect(), nullptr) << host.error();
    const auto* fx = host.effect();

    EXPECT_TRUE(host.usedLegacyEntry());
    EXPECT_EQ(fx->magic, kEffectMagic);
    EXPECT_NE(fx->flags & Vst2::effFlagsIsSynth, 0);
    EXPECT_EQ(fx->numInputs, 0);
    EXPECT_EQ(fx->numOutputs, 1);
    EXPECT_EQ(host.dispatch(Vst2::effGetPlugCategory), Vst2::kPlugCategSynth);
    EXPECT_EQ(host.getString(Vst2::effGetEffectName), "Kars");
    EXPECT_FALSE(host.getString(Vst2::effGetVendorString).empty());
    ASSERT_GT(fx->numParams, 0);
    for (int i = 0; i < fx->numParams; ++i)
        EXPECT_FALSE(host.paramName(i).empty()) << i;

    host.open(48000.0, 512);
    host.resume();
    host.sendEvents({{0, {0x90, 60, 100}}});
    double energy = 0.0;
    for (int block = 0; block < 8; ++block)
    {
        host.process(512);
        for (int ch = 0; ch < fx->numOutputs; ++ch)
            for (float s : host.output(ch))
                energy += std::fabs(s);
    }
    EXPECT_GT(energy, 0.01);
    host.close();
}
