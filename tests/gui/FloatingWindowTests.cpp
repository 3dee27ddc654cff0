// SPDX-License-Identifier: GPL-3.0-or-later
// The floating window's stored place and its closing; the unit background.
#include "GuiTestHelpers.h"
#include "MessagePump.h"
#include "MyDocumentWindow.h"
#include "UnitBg.h"

#include <gtest/gtest.h>

namespace
{
struct WriteCounter : juce::ValueTree::Listener
{
    explicit WriteCounter(juce::ValueTree t) : tree(t) { tree.addListener(this); }
    ~WriteCounter() override { tree.removeListener(this); }
    void valueTreePropertyChanged(juce::ValueTree&, const juce::Identifier&) override { ++writes; }
    juce::ValueTree tree;
    int writes = 0;
};

std::unique_ptr<MyDocumentWindow> chordWindow(juce::ValueTree tree)
{
    auto window = std::make_unique<MyDocumentWindow>("Test", juce::Colour(0xff505050), tree, 1, false);
    window->heightFactorId = "chord_wndwhfactor";
    window->xFactorId = "chord_wndwposfactorx";
    window->yFactorId = "chord_wndwposfactory";
    window->isChordWindow = true;
    window->setComponentID("floatchordwndw");
    window->setUsingNativeTitleBar(false);
    window->setTitleBarHeight(22);
    return window;
}

// A chord window inside a plain host component of that size.
struct HostedWindow
{
    HostedWindow(int width, int height)
    {
        host.setSize(width, height);
        host.addAndMakeVisible(*window);
    }
    juce::ValueTree tree{"maintree"};
    juce::Component host;
    std::unique_ptr<MyDocumentWindow> window = chordWindow(tree);
};

TEST(FloatingWindow, ADragWritesTheThreeFactorsOnce100MsAfterTheLastMove)
{
    HostedWindow hosted(1000, 500);
    auto& tree = hosted.tree;
    auto& window = hosted.window;
    WriteCounter counter(tree);
    for (int x = 100; x <= 400; x += 50)
        window->setBounds(x, 200, 188, 100);
    EXPECT_EQ(counter.writes, 0);

    ASSERT_TRUE(zutest::pumpUntil([&] { return counter.writes >= 3; }));
    EXPECT_EQ(counter.writes, 3);
    EXPECT_DOUBLE_EQ((double) tree["chord_wndwhfactor"], (double) (100.0f / 500.0f));
    EXPECT_DOUBLE_EQ((double) tree["chord_wndwposfactorx"], (double) (400.0f / 1000.0f));
    EXPECT_DOUBLE_EQ((double) tree["chord_wndwposfactory"], (double) (200.0f / 500.0f));
    zutest::pumpFor(300);
    EXPECT_EQ(counter.writes, 3);
}

TEST(FloatingWindow, ACloseRightAfterAMoveWritesOnceAndTheEditorTakesTheWindowAway)
{
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    juce::ValueTree tree("maintree");
    auto window = chordWindow(tree);
    editor->addAndMakeVisible(*window);
    WriteCounter counter(tree);
    window->setBounds(300, 290, 188, 116);

    // Backspace with modifiers closes and is not consumed.
    const juce::KeyPress backspace(juce::KeyPress::backspaceKey,
                                   juce::ModifierKeys::ctrlModifier | juce::ModifierKeys::shiftModifier, 0);
    EXPECT_FALSE(window->keyPressed(backspace, window.get()));
    EXPECT_EQ(counter.writes, 3);
    EXPECT_EQ(window->getParentComponent(), nullptr);
    EXPECT_EQ(editor->findChildWithID("floatchordwndw"), nullptr);
    window.reset();
    zutest::pumpFor(250);
    EXPECT_EQ(counter.writes, 3);

    // Other keys do nothing.
    auto other = chordWindow(tree);
    editor->addAndMakeVisible(*other);
    EXPECT_FALSE(other->keyPressed(juce::KeyPress('a'), other.get()));
    EXPECT_EQ(other->getParentComponent(), editor.get());

    // The modulation window closes through its own route.
    MyDocumentWindow modWindow("Test", juce::Colour(0xff505050), tree, 1, false);
    modWindow.setComponentID("floatmodwndw");
    editor->addAndMakeVisible(modWindow);
    modWindow.closeButtonPressed();
    EXPECT_EQ(modWindow.getParentComponent(), nullptr);
    EXPECT_EQ(other->getParentComponent(), editor.get());
}

TEST(FloatingWindow, WithoutAnEditorACloseWritesAndTheWindowStays)
{
    HostedWindow hosted(800, 400);
    hosted.window->setBounds(80, 40, 188, 100);
    hosted.window->closeButtonPressed();
    EXPECT_EQ(hosted.window->getParentComponent(), &hosted.host);
    EXPECT_DOUBLE_EQ((double) hosted.tree["chord_wndwposfactorx"], (double) (80.0f / 800.0f));
}

TEST(FloatingWindow, NothingIsWrittenForAnEmptyParentOrAnEmptyIdentifier)
{
    juce::ValueTree tree("maintree");
    juce::Component empty;
    auto window = chordWindow(tree);
    empty.addAndMakeVisible(*window);
    window->updateVtState();
    EXPECT_EQ(tree.getNumProperties(), 0) << "no inf or NaN factors";
    window->setBounds(10, 10, 50, 50);
    window->closeButtonPressed();
    EXPECT_EQ(tree.getNumProperties(), 0);

    juce::Component host;
    host.setSize(1000, 580);
    MyDocumentWindow modWindow("Test", juce::Colour(0xff505050), tree, 1, false);
    host.addAndMakeVisible(modWindow);
    modWindow.setBounds(100, 100, 140, 100);
    modWindow.updateVtState();
    EXPECT_EQ(tree.getNumProperties(), 0) << "no nameless property";
}

TEST(FloatingWindow, TheMenuBarModelHasNoMenus)
{
    MyWndwBar bar;
    EXPECT_TRUE(bar.getMenuBarNames().isEmpty());
    EXPECT_EQ(bar.getMenuForIndex(0, "x").getNumItems(), 0);
}

TEST(UnitBackground, SetPathListTwiceLeavesSixChildrenInIndexOrder)
{
    UnitBg background(juce::Colour(0xff000000));
    background.setSize(200, 100);
    const auto plain = background.createComponentSnapshot(background.getLocalBounds());
    EXPECT_EQ(zutest::inkBounds(plain, juce::Colour(0xff000000), 0), juce::Rectangle<int>());

    std::array<juce::Path, UnitBg::numPaths> paths;
    for (int k = 0; k < UnitBg::numPaths; ++k)
        paths[(size_t) k].addRectangle(10.0f + 20.0f * (float) k, 10.0f, 40.0f, 40.0f);
    background.setColors({juce::Colour(0xff110000), juce::Colour(0xff220000), juce::Colour(0xff330000),
                          juce::Colour(0xff440000), juce::Colour(0xff550000), juce::Colour(0xffff0000)});
    background.setPathList(paths);
    background.setPathList(paths);
    const auto& composite = background.getComposite();
    ASSERT_EQ(composite.getNumChildComponents(), UnitBg::numPaths);
    for (int k = 0; k < UnitBg::numPaths; ++k)
        EXPECT_EQ(composite.getChildComponent(k), &background.getPath(k)) << k;

    const auto image = background.createComponentSnapshot(background.getLocalBounds());
    EXPECT_EQ(image.getPixelAt(125, 30), juce::Colour(0xffff0000)) << "path 5 on top";
    EXPECT_EQ(image.getPixelAt(5, 80), juce::Colour(0xff000000));
    bool self = true, children = false;
    background.getInterceptsMouseClicks(self, children);
    EXPECT_FALSE(self);
    EXPECT_TRUE(children);
}
} // namespace
