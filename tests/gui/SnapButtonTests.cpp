// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiTestHelpers.h"
#include "ScreenWriter.h"
#include "SnapButton.h"
#include "UnitFrameFixture.h"
#include "WidgetTestHelpers.h"
#include "ZuMirabox_SEQ1Panel.h"

#include <gtest/gtest.h>

namespace
{
int litButton(SnapButton& selector)
{
    return zutest::litButton(selector, SnapButton::numSnapshots);
}

float snapshotParameter(ZumiraboxAudioProcessor& p, const juce::String& id)
{
    return zutest::hostParameter(p, id);
}

void setSnapshotParameter(ZumiraboxAudioProcessor& p, const juce::String& id, float value)
{
    zutest::setHostParameter(p, id, value);
}

struct SnapFixture : ::testing::Test
{
    ZumiraboxAudioProcessor processor;
    std::unique_ptr<ZumiraboxAudioProcessorEditor> editor = zutest::makeEditor(processor);
};

using SnapSelector = SnapFixture;

TEST_F(SnapSelector, AutomationLightsTheButtonWithoutTellingTheOwner)
{
    ZuMirabox_SEQ1Panel panel;
    editor->addAndMakeVisible(panel);
    auto& selector = panel.getSnapButton();
    selector.setAttachment(0, processor.paramState, "p1m11_snp");
    EXPECT_EQ(litButton(selector), 0);

    setSnapshotParameter(processor, "p1m11_snp", 4.0f);
    EXPECT_TRUE(zutest::pumpUntil([&] { return litButton(selector) == 4; }));
    EXPECT_EQ(selector.getCurrentIndex(), 4);
    zutest::pumpFor(300);
    EXPECT_FALSE(selector.isTimerRunning(SnapButton::ownerTimer));
    EXPECT_EQ(panel.getCurrentSnapshot(), 0);
}

TEST_F(SnapSelector, AClickWritesTheParameterAndTellsTheOwnerLater)
{
    ZuMirabox_SEQ1Panel panel;
    editor->addAndMakeVisible(panel);
    auto& selector = panel.getSnapButton();
    selector.setAttachment(0, processor.paramState, "p1m11_snp");

    ASSERT_TRUE(zutest::click(selector.getButton(2)));
    EXPECT_EQ(snapshotParameter(processor, "p1m11_snp"), 2.0f);
    EXPECT_EQ(panel.getCurrentSnapshot(), 0);
    EXPECT_TRUE(selector.isTimerRunning(SnapButton::ownerTimer));
    EXPECT_TRUE(zutest::pumpUntil([&] { return panel.getCurrentSnapshot() == 2; }));

    // The lit button writes nothing and still tells the owner.
    int writes = 0;
    struct Counter : juce::AudioProcessorParameter::Listener
    {
        int& n;
        explicit Counter(int& count) : n(count) {}
        void parameterValueChanged(int, float) override { ++n; }
        void parameterGestureChanged(int, bool) override {}
    } counter(writes);
    auto* param = processor.paramState.getParameter("p1m11_snp");
    param->addListener(&counter);
    ASSERT_TRUE(zutest::click(selector.getButton(2)));
    EXPECT_TRUE(selector.isTimerRunning(SnapButton::ownerTimer));
    EXPECT_TRUE(zutest::pumpUntil([&] { return !selector.isTimerRunning(SnapButton::ownerTimer); }));
    param->removeListener(&counter);
    EXPECT_EQ(writes, 0);
    EXPECT_EQ(litButton(selector), 2);
}

TEST_F(SnapSelector, ClampsOutOfRangeValues)
{
    SnapButton selector;
    selector.setValue(11.0f);
    EXPECT_EQ(litButton(selector), 7);
    selector.setValue(-2.0f);
    EXPECT_EQ(litButton(selector), 0);
}

TEST_F(SnapSelector, LaysOutBothLayouts)
{
    SnapButton selector;
    selector.setSize(200, 30);
    // mx 10, my 5, iw 180, ih 20, bw 21, first x 10 + (180 - 168 - 7) / 2 = 12.
    EXPECT_EQ(selector.getButton(0).getBounds(), juce::Rectangle<int>(12, 6, 21, 17));
    EXPECT_EQ(selector.getButton(7).getBounds(), juce::Rectangle<int>(12 + 7 * 22, 6, 21, 17));
    selector.setVerFlag();
    selector.setSize(24, 204);
    // ih 200, bh 24, first y 2 + (200 - 192 - 7) / 2 = 2.
    EXPECT_EQ(selector.getButton(0).getBounds(), juce::Rectangle<int>(1, 2, 22, 24));
    EXPECT_EQ(selector.getButton(7).getBounds(), juce::Rectangle<int>(1, 2 + 7 * 25, 22, 24));
}

TEST_F(SnapSelector, SetColorTakesItsArgumentsInOrder)
{
    SnapButton selector;
    const juce::Colour bg(0xff010101), outline(0xff020202), on(0xff030303), off(0xff040404), textOn(0xff050505),
        textOff(0xff060606);
    selector.setColor(bg, outline, on, off, textOn, textOff, 0.5f);
    auto& b = selector.getButton(3);
    EXPECT_EQ(b.getProperties()["bgcolor"].toString(), bg.toString());
    EXPECT_EQ(b.getProperties()["outlinecolor"].toString(), outline.toString());
    EXPECT_EQ(b.findColour(juce::TextButton::buttonOnColourId), on);
    EXPECT_EQ(b.findColour(juce::TextButton::buttonColourId), off);
    EXPECT_EQ(b.findColour(juce::TextButton::textColourOnId), textOn);
    EXPECT_EQ(b.findColour(juce::TextButton::textColourOffId), textOff);
    EXPECT_FLOAT_EQ((float) (double) b.getProperties()["fontsize"], 0.5f);
}

TEST(SnapDrag, AcceptsOnlyTheSameKind)
{
    auto group = [](int id)
    {
        if (id >= 1 && id <= 4)
            return 1;
        if (id >= 5 && id <= 8)
            return 2;
        if (id >= 9 && id <= 12)
            return 3;
        if (id == 13)
            return 4;
        if (id == 14 || id == 15)
            return 5;
        return 0;
    };
    SnapButtonBase source(0), target(4);
    for (int s = 0; s <= 15; ++s)
        for (int t = 0; t <= 15; ++t)
        {
            source.getProperties().set("seqidindex", s);
            source.getProperties().set("snapindex", 1);
            target.seqId = t;
            const juce::DragAndDropTarget::SourceDetails details(juce::var("snapshot"), &source, {});
            const bool expected = s != 0 && group(s) != 0 && group(s) == group(t);
            EXPECT_EQ(target.isInterestedInDragSource(details), expected) << "source " << s << " target " << t;
        }

    // No "seqidindex" (a quick-bar drag), another description, a vanished source.
    target.seqId = 1;
    SnapButtonBase bare(0);
    EXPECT_FALSE(target.isInterestedInDragSource({juce::var("snapshot"), &bare, {}}));
    source.getProperties().set("seqidindex", 1);
    EXPECT_FALSE(target.isInterestedInDragSource({juce::var("other"), &source, {}}));
    EXPECT_FALSE(target.isInterestedInDragSource({juce::var("snapshot"), nullptr, {}}));
    EXPECT_EQ(target.getSrcIndex({juce::var("snapshot"), nullptr, {}}), -1);
}

TEST_F(SnapFixture, DroppingAOnEShowsTheQuestionAndOkCopies)
{
    SnapButton selector;
    editor->addAndMakeVisible(selector);
    selector.setBounds(10, 10, 200, 30);
    selector.setAttachment(1, processor.paramState, "p1m11_snp");
    auto live = processor.paramTree.getChildWithName("seqmain").getChildWithName("ptchsq1");
    live.setProperty("p1m11_pch3", 9.0, nullptr);

    auto& a = selector.getButton(0);
    a.getProperties().set("snapindex", 1);
    a.getProperties().set("seqidindex", 1);
    auto& e = selector.getButton(4);
    const juce::DragAndDropTarget::SourceDetails details(juce::var("snapshot"), &a, {});
    ASSERT_TRUE(e.isInterestedInDragSource(details));
    e.itemDropped(details);

    auto* window = zutest::openCallOutContent<SnapButtonBase::ZuConfirmWndw>(*editor);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->getMessage(), "Copy Snapshot from A into E ?");
    EXPECT_EQ(window->getWidth(), 170);
    EXPECT_EQ(window->getHeight(), 80);
    window->exitWndw(&window->getOkButton());
    const auto stored = processor.snapTree.getChildWithName("ptchsq1").getChildWithName("snap5");
    EXPECT_DOUBLE_EQ((double) stored.getProperty("p1m11_pch3"), 9.0);
}

TEST_F(SnapFixture, ADropOnItselfOrWithoutTargetCopiesNothing)
{
    auto selector = std::make_unique<SnapButton>();
    editor->addAndMakeVisible(*selector);
    selector->setBounds(10, 10, 200, 30);
    selector->setAttachment(1, processor.paramState, "p1m11_snp");

    auto& b = selector->getButton(1);
    b.getProperties().set("snapindex", 2);
    b.getProperties().set("seqidindex", 1);
    b.itemDropped({juce::var("snapshot"), &b, {}});
    EXPECT_EQ(zutest::openCallOutContent<SnapButtonBase::ZuConfirmWndw>(*editor), nullptr);

    // A letter outside A..H is never used.
    b.getProperties().set("snapindex", 9);
    selector->getButton(3).itemDropped({juce::var("snapshot"), &b, {}});
    EXPECT_EQ(zutest::openCallOutContent<SnapButtonBase::ZuConfirmWndw>(*editor), nullptr);

    // The target goes (with its unit) before OK: nothing is copied.
    auto live = processor.paramTree.getChildWithName("seqmain").getChildWithName("ptchsq1");
    live.setProperty("p1m11_pch3", 9.0, nullptr);
    b.getProperties().set("snapindex", 2);
    selector->getButton(5).itemDropped({juce::var("snapshot"), &b, {}});
    auto* window = zutest::openCallOutContent<SnapButtonBase::ZuConfirmWndw>(*editor);
    ASSERT_NE(window, nullptr);
    selector.reset();
    window->exitWndw(&window->getOkButton());
    const auto stored = processor.snapTree.getChildWithName("ptchsq1").getChildWithName("snap6");
    EXPECT_NE((double) stored.getProperty("p1m11_pch3", 0.0), 9.0);
}

TEST_F(SnapFixture, RightClickMenuShowsAndLearnsTheSnapshotParameter)
{
    SnapButton selector;
    editor->addAndMakeVisible(selector);
    selector.setAttachment(1, processor.paramState, "p1m11_snp");
    auto& button = selector.getButton(0);

    auto thirdItem = [&]
    {
        const auto menu = button.getLearnMenu();
        juce::PopupMenu::MenuItemIterator it(menu);
        juce::StringArray texts;
        while (it.next())
            texts.add(it.getItem().isSeparator ? juce::String("|")
                                               : it.getItem().text + (it.getItem().isEnabled ? "" : " (off)") + " #" +
                                                     juce::String(it.getItem().itemID));
        EXPECT_EQ(texts.size(), 4);
        EXPECT_EQ(texts[0], "Midi Learn #1");
        EXPECT_EQ(texts[1], "Midi UnLearn #2");
        EXPECT_EQ(texts[2], "|");
        return texts[3];
    };
    EXPECT_EQ(thirdItem(), "Assigned CC: -- (off) #3");
    processor.midiMap[0] = "p1m11_snp";
    EXPECT_EQ(thirdItem(), "Assigned CC: 0 (off) #3");
    processor.midiMap[0] = {};
    processor.midiMap[42] = "p1m11_snp";
    EXPECT_EQ(thirdItem(), "Assigned CC: 42 (off) #3");

    button.learnMenuChosen(SnapButtonBase::midiLearnItem);
    EXPECT_TRUE(processor.learnArmed.load());
    EXPECT_EQ(processor.learnTarget, "p1m11_snp");
    button.learnMenuChosen(SnapButtonBase::midiUnLearnItem);
    EXPECT_TRUE(processor.midiMap[42].isEmpty());
}

TEST_F(SnapFixture, ARightClickNeverSelects)
{
    SnapButton selector;
    editor->addAndMakeVisible(selector);
    selector.setBounds(0, 0, 200, 30);
    selector.setAttachment(1, processor.paramState, "p1m11_snp");
    auto& c = selector.getButton(2);
    const auto right = juce::ModifierKeys(juce::ModifierKeys::rightButtonModifier);
    const zutest::HeldModifiers held(right);
    c.mouseDown(zutest::mouseEventOn(c, right));
    c.mouseUp(zutest::mouseEventOn(c, right));
    juce::PopupMenu::dismissAllActiveMenus();
    zutest::pumpFor(20);
    EXPECT_EQ(litButton(selector), 0);
    EXPECT_EQ(c.getState(), juce::Button::buttonNormal);
    EXPECT_EQ(snapshotParameter(processor, "p1m11_snp"), 0.0f);
}

TEST_F(SnapFixture, ADragStartsOnlyAfterTheButtonWasHeld)
{
    SnapButton selector;
    editor->addAndMakeVisible(selector);
    selector.setBounds(0, 0, 200, 30);
    selector.setAttachment(3, processor.paramState, "p1m13_snp");
    auto& d = selector.getButton(3);
    const auto left = juce::ModifierKeys(juce::ModifierKeys::leftButtonModifier);

    // Without a real pointer JUCE starts no drag, so the test reads what the
    // button prepares for one: the properties receivers read.
    d.mouseDrag(zutest::mouseEventOn(d, left, juce::Time::getCurrentTime(), {8.0f, 8.0f}));
    EXPECT_FALSE(d.getProperties().contains("snapindex"));

    const auto longAgo = juce::Time::getCurrentTime() - juce::RelativeTime::milliseconds(400);
    d.mouseDrag(zutest::mouseEventOn(d, left, longAgo, {8.0f, 8.0f}));
    EXPECT_EQ((int) d.getProperties()["snapindex"], 4);
    EXPECT_EQ((int) d.getProperties()["seqidindex"], 3);
    EXPECT_EQ((int) d.getProperties()["unitindex"], 0);
    EXPECT_EQ(litButton(selector), 0);
}

TEST(Screens, SnapshotButtons)
{
    ZumiraboxAudioProcessor processor;
    SnapButton across, down;
    down.setVerFlag();
    for (auto* s : {&across, &down})
    {
        s->setSkinMode(1);
        s->setAttachment(1, processor.paramState, "p1m11_snp");
    }
    setSnapshotParameter(processor, "p1m11_snp", 2.0f);
    ASSERT_TRUE(zutest::pumpUntil([&] { return litButton(across) == 2 && litButton(down) == 2; }));
    across.setSize(220, 30);
    down.setSize(26, 200);

    SnapButtonBase::ZuConfirmWndw confirm(1, 1, 0, 4, across.getButton(4), "Copy Snapshot from A into E ?",
                                          juce::Colour(0xff202020), juce::Colour(0xffdddddd), juce::Colour(0xff202020),
                                          juce::Colour(0xffdddddd), juce::Colour(0xffdddddd), juce::Colour(0xff202020));
    confirm.setSize(170, 80);

    juce::Image sheet(juce::Image::ARGB, 270, 210, true);
    {
        juce::Graphics g(sheet);
        g.fillAll(juce::Colour(0xff000000));
        g.drawImageAt(across.createComponentSnapshot(across.getLocalBounds()), 5, 5);
        g.drawImageAt(down.createComponentSnapshot(down.getLocalBounds()), 235, 5);
    }
    EXPECT_TRUE(zutest::writeScreen(sheet, "gui-snapshot-buttons.png"));
    EXPECT_TRUE(zutest::writeScreen(confirm.createComponentSnapshot(confirm.getLocalBounds()), "gui-confirm.png"));
}
} // namespace
