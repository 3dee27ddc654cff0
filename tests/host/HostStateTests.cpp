// SPDX-License-Identifier: GPL-3.0-or-later
// What a host sees of processing, automation, MIDI input and the state chunk.
#include "ChunkText.h"
#include "VstHost.h"

#include <gtest/gtest.h>

#include <cmath>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sys/stat.h>

namespace
{
constexpr int paramP1m11Snp = 2;
constexpr int paramP2m21Snp = 13;
constexpr int paramGtp = 61;
constexpr int paramGch = 66;
constexpr int paramMidiThru = 97;
constexpr int paramMidiTp = 98;

std::unique_ptr<VstHost> openPlugin()
{
    auto host = std::make_unique<VstHost>(ZU_PLUGIN_PATH);
    if (host->effect() != nullptr)
    {
        host->open(48000.0, 512);
        host->resume();
    }
    return host;
}

void writeSettingsFile(const std::string& body)
{
    const std::string home = std::getenv("HOME");
    for (const std::string& dir : {home + "/.config", home + "/.config/Zurvana", home + "/.config/Zurvana/ZU-MIRA8"})
        mkdir(dir.c_str(), 0755);
    std::ofstream out(home + "/.config/Zurvana/ZU-MIRA8/ZU-MIRA8.ini");
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<PROPERTIES>\n" << body << "</PROPERTIES>\n";
}

bool hasEvent(const VstHost& host, unsigned char status, int data1, int delta)
{
    for (const auto& e : host.receivedEvents())
        if (e.bytes[0] == status && e.bytes[1] == data1 && e.deltaFrames == delta)
            return true;
    return false;
}
} // namespace

TEST(HostProcessing, PreparesPlaysStopsAndCloses)
{
    auto host = openPlugin();
    ASSERT_NE(host->effect(), nullptr) << host->error();
    host->transport.playing = true;
    for (int block = 0; block < 20; ++block)
    {
        host->process(512);
        host->advance(512);
    }
    host->transport.playing = false;
    for (int block = 0; block < 5; ++block)
        host->process(256);
    // A smaller block size and a new rate mid-session.
    host->dispatch(Vst2::effSetSampleRate, 0, 0, nullptr, 44100.0f);
    host->transport.playing = true;
    host->process(128);
    for (int ch = 0; ch < 2; ++ch)
        for (float s : host->output(ch))
            ASSERT_EQ(s, 0.0f);
    host->close();
}

TEST(HostProcessing, SnapshotAutomationSwitchesTheUnit)
{
    auto host = openPlugin();
    ASSERT_NE(host->effect(), nullptr) << host->error();

    // An edit of parameter unit 1 while it plays snapshot A.
    auto state = ChunkText::fromChunk(host->getChunk());
    ASSERT_TRUE(state.setAttribute({"param", "seqmain", "prmsq1"}, "p2m21_sval1", "0.5"));
    host->setChunk(state.toChunk());
    ASSERT_TRUE(host->idleUntil(
        [&] {
            return ChunkText::fromChunk(host->getChunk()).number({"param", "seqmain", "prmsq1"}, "p2m21_sval1") == 0.5;
        }));

    // The host automates the snapshot parameter to B; the switch is carried
    // out on the plug-in's message thread.
    // A save before the switch has run stores the last completed state (A
    // live), so wait until the saved document names B.
    host->setParameter(paramP2m21Snp, 1.0f / 7.0f);
    ASSERT_TRUE(host->idleUntil(
        [&]
        {
            const auto doc = ChunkText::fromChunk(host->getChunk());
            return std::abs(doc.number({"ZUMIRA8"}, "p2m21_snp").value_or(-1.0) - 1.0) < 1.0e-6;
        }));

    const auto after = ChunkText::fromChunk(host->getChunk());
    EXPECT_EQ(after.number({"snapmain", "prmsq1", "snap1"}, "p2m21_sval1"), 0.5) << "A's edits are stored";
    EXPECT_EQ(after.number({"param", "seqmain", "prmsq1"}, "p2m21_sval1"), 0.0) << "B (never stored) is live";
    EXPECT_NEAR(after.number({"ZUMIRA8"}, "p2m21_snp").value_or(-1.0), 1.0, 1.0e-6);
    host->close();
}

TEST(HostState, ChunkRoundTripsIntoAFreshInstance)
{
    auto first = openPlugin();
    ASSERT_NE(first->effect(), nullptr) << first->error();
    first->setParameter(paramGch, 6.0f / 15.0f);
    first->setParameter(46, 0.25f); // swing
    first->setParameter(40, 0.5f);  // macro 3
    first->setParameter(paramP1m11Snp, 3.0f / 7.0f);
    ASSERT_TRUE(first->idleUntil([&] { return first->getParameter(paramP1m11Snp) == 3.0f / 7.0f; }));
    auto state = ChunkText::fromChunk(first->getChunk());
    state.setAttribute({"param", "seqmain", "ptchsq3"}, "p1m13_pch7", "11");
    state.setAttribute({"maintree"}, "ctstate", "CT:100 900 1400 ");
    first->setChunk(state.toChunk());
    ASSERT_TRUE(first->idleUntil(
        [&] {
            return ChunkText::fromChunk(first->getChunk()).number({"param", "seqmain", "ptchsq3"}, "p1m13_pch7") ==
                   11.0;
        }));
    const auto chunk = first->getChunk();
    ASSERT_GT(chunk.size(), 1000u);
    std::vector<float> saved;
    for (int i = 0; i < 100; ++i)
        saved.push_back(first->getParameter(i));
    const auto text = ChunkText::fromChunk(chunk);
    EXPECT_NE(text.find({"ZUMIRA8"}), std::string::npos);
    EXPECT_TRUE(text.attribute({"ZUMIRA8"}, "pluginVersion").has_value());
    for (const char* tree : {"maintree", "param", "snapmain"})
        EXPECT_NE(text.find({tree}), std::string::npos) << tree;

    // "Dummy" (99) only signals changes: the first instance may still flip it
    // after its snapshot switch while the parameters are read.
    constexpr int numStateParams = 99;
    auto second = openPlugin();
    second->setChunk(chunk);
    second->idleUntil(
        [&]
        {
            for (int i = 0; i < numStateParams; ++i)
                if (second->getParameter(i) != saved[(size_t) i])
                    return false;
            return true;
        });
    for (int i = 0; i < numStateParams; ++i)
        EXPECT_FLOAT_EQ(second->getParameter(i), saved[(size_t) i]) << i;
    EXPECT_EQ(ChunkText::fromChunk(second->getChunk()).xml, text.xml);
}

TEST(HostState, DamagedChunksLeaveThePluginPlaying)
{
    auto host = openPlugin();
    ASSERT_NE(host->effect(), nullptr) << host->error();
    host->setParameter(paramGch, 4.0f / 15.0f);
    const float before = host->getParameter(paramGch);
    const auto good = host->getChunk();

    std::vector<std::vector<char>> bad = {
        {},
        std::vector<char>(good.begin(), good.begin() + (long) good.size() / 2),
        std::vector<char>(300, 'x'),
    };
    auto wrongRoot = ChunkText::fromChunk(good);
    wrongRoot.xml.replace(wrongRoot.xml.find("<ZUMIRA8"), 8, "<ZUMIRA9");
    bad.push_back(wrongRoot.toChunk());
    auto old = ChunkText::fromChunk(good);
    old.setAttribute({"ZUMIRA8"}, "pluginVersion", "0.5");
    old.setAttribute({"ZUMIRA8"}, "p0_gch", "16");
    bad.push_back(old.toChunk());

    for (const auto& chunk : bad)
    {
        host->setChunk(chunk);
        host->idleFor(100); // a check that nothing happens
        EXPECT_FLOAT_EQ(host->getParameter(paramGch), before);
    }
    host->transport.playing = true;
    for (int block = 0; block < 4; ++block)
    {
        host->process(512);
        host->advance(512);
    }
    host->close();
}

TEST(HostState, DeeplyNestedDocumentsAreRefusedWithoutACrash)
{
    std::string deep;
    for (int i = 0; i < 40000; ++i)
        deep += "<a>";
    for (int i = 0; i < 40000; ++i)
        deep += "</a>";

    // A settings file nested 40,000 deep is read when the plug-in is made.
    writeSettingsFile("<VALUE name=\"skinmode\" val=\"3\"/>" + deep);
    auto host = openPlugin();
    ASSERT_NE(host->effect(), nullptr) << host->error();
    host->setParameter(paramGch, 4.0f / 15.0f);
    const float before = host->getParameter(paramGch);
    const auto good = host->getChunk();

    // A chunk with 30,000 nested elements under the root.
    auto nested = ChunkText::fromChunk(good);
    const auto root = nested.xml.find("<ZUMIRA8");
    const auto rootEnd = nested.xml.find('>', root);
    ASSERT_NE(rootEnd, std::string::npos);
    nested.xml.insert(rootEnd + 1, deep.substr(0, 30000 * 3) + deep.substr(40000 * 3, 30000 * 4));
    host->setChunk(nested.toChunk());
    host->idleFor(100); // a check that nothing happens
    EXPECT_FLOAT_EQ(host->getParameter(paramGch), before);
    EXPECT_EQ(host->getChunk(), good);

    host->transport.playing = true;
    for (int block = 0; block < 4; ++block)
    {
        host->process(512);
        host->advance(512);
    }
    host->close();
    writeSettingsFile("");
}

TEST(HostState, AGoodChunkAfterADamagedOneSavesTheSameBytes)
{
    auto host = openPlugin();
    ASSERT_NE(host->effect(), nullptr) << host->error();
    host->setParameter(paramGch, 5.0f / 15.0f);
    host->idle();
    const auto good = host->getChunk();

    auto damaged = ChunkText::fromChunk(good);
    ASSERT_TRUE(damaged.removeAttribute({"maintree"}, "sq1_rndrng1"));
    ASSERT_TRUE(damaged.removeAttribute({"ZUMIRA8"}, "p0_swing"));
    ASSERT_TRUE(damaged.removeAttribute({"param", "seqmain", "ptchsq2"}, "p1m12_pch3"));
    ASSERT_TRUE(damaged.removeAttribute({"snapmain", "modsnapmain", "moddef"}, "kfr"));
    host->setChunk(damaged.toChunk());
    host->idle();

    host->setChunk(good);
    EXPECT_TRUE(host->idleUntil([&] { return host->getChunk() == good; }));
    EXPECT_EQ(host->getChunk(), good);
}

TEST(HostState, DestroyingAnInstanceLeavesAnotherPlaying)
{
    auto player = openPlugin();
    auto reference = openPlugin();
    ASSERT_NE(player->effect(), nullptr) << player->error();
    for (auto* host : {player.get(), reference.get()})
    {
        auto state = ChunkText::fromChunk(host->getChunk());
        ASSERT_TRUE(state.setAttribute({"maintree"}, "ctstate", "CT:100 "));
        host->setChunk(state.toChunk());
        ASSERT_TRUE(host->idleUntil(
            [&] { return ChunkText::fromChunk(host->getChunk()).attribute({"maintree"}, "ctstate") == "CT:100 "; }));
        host->transport.playing = true;
    }

    // The reference plays alone; the player plays while another instance is
    // created, saved, restored and destroyed beside it, block by block.
    std::unique_ptr<VstHost> other;
    std::vector<char> otherChunk;
    size_t notes = 0;
    for (int block = 0; block < 96; ++block)
    {
        switch (block % 12)
        {
        case 1:
            other = openPlugin();
            break;
        case 3:
            otherChunk = other->getChunk();
            break;
        case 5:
            other->setChunk(otherChunk);
            break;
        case 7:
            other->close();
            other.reset();
            break;
        default:
            break;
        }
        for (auto* host : {player.get(), reference.get()})
        {
            host->clearReceived();
            host->process(512);
            host->advance(512);
        }
        notes += player->receivedEvents().size();
        ASSERT_EQ(player->receivedEvents().size(), reference->receivedEvents().size()) << "block " << block;
        for (size_t e = 0; e < player->receivedEvents().size(); ++e)
        {
            const auto& a = player->receivedEvents()[e];
            const auto& b = reference->receivedEvents()[e];
            EXPECT_EQ(a.deltaFrames, b.deltaFrames);
            EXPECT_EQ(std::vector<unsigned char>(a.bytes, a.bytes + 3),
                      std::vector<unsigned char>(b.bytes, b.bytes + 3));
        }
    }
    EXPECT_GE(notes, 8u) << "the player played its steps all along";
}

TEST(HostMidi, ThruPassesIncomingEventsOnlyWhenOn)
{
    auto host = openPlugin();
    ASSERT_NE(host->effect(), nullptr) << host->error();
    host->sendEvents({{10, {0x90, 60, 100}}, {20, {0xB0, 7, 64}}});
    host->process(512);
    EXPECT_TRUE(host->receivedEvents().empty());

    host->setParameter(paramMidiThru, 1.0f);
    host->clearReceived();
    host->sendEvents({{10, {0x90, 60, 100}}, {20, {0xB0, 7, 64}}});
    host->process(512);
    EXPECT_TRUE(hasEvent(*host, 0x90, 60, 10));
    EXPECT_TRUE(hasEvent(*host, 0xB0, 7, 20));
    host->close();
}

TEST(HostMidi, LearntControllerMovesItsParameter)
{
    // Controller 20 learnt for pitch unit 1's snapshot, controller 21 for macro 1.
    writeSettingsFile("  <VALUE name=\"midimap21\" val=\"p1m11_snp\"/>\n"
                      "  <VALUE name=\"midimap22\" val=\"p7_macro1\"/>\n");
    auto host = openPlugin();
    ASSERT_NE(host->effect(), nullptr) << host->error();

    host->sendEvents({{0, {0xB0, 20, 127}}, {5, {0xB0, 21, 10}}, {9, {0xB0, 21, 64}}});
    host->process(512);
    // The learnt values reach their parameters on the plug-in's message thread.
    host->idleUntil([&] { return host->getParameter(paramP1m11Snp) == 1.0f && host->getParameter(38) > 0.0f; });
    EXPECT_FLOAT_EQ(host->getParameter(paramP1m11Snp), 1.0f) << "127 gives snapshot H";
    EXPECT_NEAR(host->getParameter(38), 64.0f * 0.0078741f, 1.0e-5f) << "the last value in a block counts";

    host->sendEvents({{0, {0xB0, 20, 64}}});
    host->process(512);
    host->idleUntil([&] { return host->getParameter(paramP1m11Snp) != 1.0f; });
    EXPECT_NEAR(host->getParameter(paramP1m11Snp), 4.0f / 7.0f, 1.0e-6f) << "64 gives E";

    host->sendEvents({{0, {0xB0, 20, 0}}});
    host->process(512);
    host->idleUntil([&] { return host->getParameter(paramP1m11Snp) == 0.0f; });
    EXPECT_FLOAT_EQ(host->getParameter(paramP1m11Snp), 0.0f) << "0 gives A";
    host->close();
}

TEST(HostMidi, KeyboardTransposeMovesGlobalTranspose)
{
    writeSettingsFile("  <VALUE name=\"miditpnote\" val=\"48\"/>\n");
    auto host = openPlugin();
    ASSERT_NE(host->effect(), nullptr) << host->error();
    host->setParameter(paramMidiTp, 1.0f);

    const std::pair<int, float> cases[] = {{72, 1.0f}, {48, 0.0f}, {60, 0.5f}, {47, 0.5f}, {73, 0.5f}};
    for (const auto& [key, normalised] : cases)
    {
        host->sendEvents({{0, {0x90, (unsigned char) key, 100}}});
        host->process(256);
        host->idleUntil([&] { return host->getParameter(paramGtp) == normalised; });
        EXPECT_FLOAT_EQ(host->getParameter(paramGtp), normalised) << key;
    }

    host->setParameter(paramMidiTp, 0.0f);
    host->sendEvents({{0, {0x90, 72, 100}}});
    host->process(256);
    host->idleFor(200); // a check that nothing happens
    EXPECT_FLOAT_EQ(host->getParameter(paramGtp), 0.5f) << "off: keys change nothing";
    host->close();
}
