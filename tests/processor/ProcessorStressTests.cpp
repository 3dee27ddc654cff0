// SPDX-License-Identifier: GPL-3.0-or-later
// The audio thread plays while another thread automates parameters and
// snapshots and the message thread carries out the switches. Run it under
// ThreadSanitizer (the "tsan" preset) to check the hand-offs for races.
#include "MessagePump.h"
#include "PluginProcessor.h"
#include "ProcessorTestHelpers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <thread>

TEST(ProcessorStress, PlayingWhileAutomatingAndSwitchingSnapshots)
{
    ZumiraboxAudioProcessor processor;
    PlayingHead head;
    processor.setPlayHead(&head);
    processor.prepareToPlay(48000.0, 256);
    processor.mainTree.setProperty("ctstate", "CT:100 500 900 1300 1400 ", nullptr);
    processor.globalData.loadCenterUnitStateFromString("CT:100 500 900 1300 1400 ");

    std::atomic<bool> running{true};
    std::atomic<int> blocks{0};

    std::thread audio(
        [&]
        {
            juce::AudioBuffer<float> buffer(2, 256);
            juce::MidiBuffer midi;
            while (running.load())
            {
                midi.clear();
                midi.addEvent(juce::MidiMessage::controllerEvent(1, 20, blocks.load() % 128), 0);
                processor.processBlock(buffer, midi);
                head.ppq = head.ppq.load() + 256.0 * 2.0 / 48000.0;
                blocks.fetch_add(1);
            }
        });

    std::thread automation(
        [&]
        {
            std::mt19937 rng(1234);
            std::uniform_int_distribution<int> index(0, 98);
            std::uniform_real_distribution<float> value(0.0f, 1.0f);
            auto params = processor.getParameters();
            while (running.load())
            {
                params[index(rng)]->setValueNotifyingHost(value(rng));
                params[processor.kindSnapParamIndex[index(rng) % 5][0]]->setValueNotifyingHost(value(rng));
                std::this_thread::sleep_for(std::chrono::microseconds(200));
            }
        });

    // About two seconds of traffic, and on a loaded machine at least a few
    // hundred blocks whatever the time it takes.
    const auto start = juce::Time::getMillisecondCounterHiRes();
    zutest::pumpUntil([&] { return zutest::millisecondsSince(start) > 2000.0 && blocks.load() > 300; }, 120000);

    running = false;
    audio.join();
    automation.join();
    juce::MessageManager::getInstance()->runDispatchLoopUntil(50);

    EXPECT_GT(blocks.load(), 100);
    processor.setPlayHead(nullptr);
}
