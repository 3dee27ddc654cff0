// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiTestHelpers.h"
#include "MessagePump.h"
#include "ZuGuiBase.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
// A panel that records the skin each of its colour mappings ran at and hands
// the skin on to its child panel.
class RecordingPanel : public ZuGuiBase
{
public:
    explicit RecordingPanel(RecordingPanel* childPanel = nullptr) : child(childPanel)
    {
        if (child != nullptr)
            addAndMakeVisible(*child);
    }

    void colorMapping() override
    {
        mappedAt.push_back(skinMode);
        panelColor = themeColour(colorTheme->unitBgColor);
        if (child != nullptr)
            child->setSkinMode(skinMode);
        repaint();
    }

    void panelInit() override
    {
        ++inits;
        ++initsOfAllPanels;
    }
    static inline int initsOfAllPanels = 0;
    void updateCompColor() override { ++colourUpdates; }

    juce::Colour currentPanelColour() const { return panelColor; }
    juce::Colour currentBaseColour() const { return baseColor; }

    std::vector<int> mappedAt;
    int inits = 0;
    int colourUpdates = 0;
    RecordingPanel* child;
};

TEST(PanelBase, SetSkinModeRunsTheColourMappingOfEveryNestedPanel)
{
    RecordingPanel inner;
    RecordingPanel outer(&inner);
    EXPECT_EQ(outer.getSkinMode(), 0);

    outer.setSkinMode(1);
    EXPECT_EQ(outer.mappedAt, std::vector<int>({1}));
    EXPECT_EQ(inner.mappedAt, std::vector<int>({1}));
    EXPECT_EQ(inner.currentPanelColour(), juce::Colour(0xff292929));

    // The same skin again still maps again.
    outer.setSkinMode(1);
    EXPECT_EQ(outer.mappedAt, std::vector<int>({1, 1}));
    EXPECT_EQ(inner.mappedAt, std::vector<int>({1, 1}));

    // A skin outside the table reads transparent black, no fault.
    outer.setSkinMode(99);
    EXPECT_EQ(inner.currentPanelColour(), juce::Colour());
}

TEST(PanelBase, SetBaseColourStoresItAndUpdatesTheComponents)
{
    RecordingPanel panel;
    EXPECT_EQ(panel.currentBaseColour(), juce::Colour(0xffffffff));
    juce::Colour tint(0xff123456);
    panel.setBaseColor(tint);
    EXPECT_EQ(panel.currentBaseColour(), tint);
    EXPECT_EQ(panel.colourUpdates, 1);
}

juce::StringArray childTypes(const juce::ValueTree& tree)
{
    juce::StringArray types;
    for (const auto& child : tree)
        types.add(child.getType().toString());
    return types;
}

TEST(PanelBase, CheckModUnitParamTreeAddsWhatIsMissingInOrder)
{
    struct Case
    {
        const char* what;
        juce::StringArray present;
        juce::StringArray expected;
    };
    const Case cases[] = {
        {"partial", {"mod1", "mod3", "mod8"}, {"mod1", "mod3", "mod8", "mod2", "mod4", "mod5", "mod6", "mod7"}},
        {"complete",
         {"mod1", "mod2", "mod3", "mod4", "mod5", "mod6", "mod7", "mod8"},
         {"mod1", "mod2", "mod3", "mod4", "mod5", "mod6", "mod7", "mod8"}},
        {"empty child", {}, {"mod1", "mod2", "mod3", "mod4", "mod5", "mod6", "mod7", "mod8"}},
    };

    RecordingPanel panel;
    juce::Identifier id("ptchsq1mod");
    for (const auto& c : cases)
    {
        juce::ValueTree modmain("modmain");
        juce::ValueTree mods(id);
        for (const auto& name : c.present)
            mods.appendChild(juce::ValueTree(juce::Identifier(name)).setProperty("kept", name, nullptr), nullptr);
        modmain.appendChild(mods, nullptr);

        panel.checkModUnitParamTree(modmain, id, 0, 0);
        EXPECT_EQ(modmain.getNumChildren(), 1) << c.what;
        EXPECT_EQ(childTypes(mods), c.expected) << c.what;
        for (const auto& name : c.present)
            EXPECT_EQ(mods.getChildWithName(juce::Identifier(name))["kept"].toString(), name) << c.what;
    }

    // No child at all: exactly one new child with the eight modulators.
    juce::ValueTree modmain("modmain");
    modmain.appendChild(juce::ValueTree("other"), nullptr);
    panel.checkModUnitParamTree(modmain, id, 0, 0);
    ASSERT_EQ(modmain.getNumChildren(), 2);
    EXPECT_EQ(modmain.getChild(1).getType(), id);
    EXPECT_EQ(childTypes(modmain.getChild(1)),
              juce::StringArray({"mod1", "mod2", "mod3", "mod4", "mod5", "mod6", "mod7", "mod8"}));
}

TEST(PanelBase, CentreSnapSliderSnapsStrictlyInsideTheSinglePrecisionWindow)
{
    ZuGuiBase::SnapSlider_Center slider;
    struct Case
    {
        double value, expected;
    };
    const Case cases[] = {
        {(double) 0.47f, (double) 0.47f}, // 0.4699999988079071 stays
        {(double) 0.53f, (double) 0.53f}, // 0.5299999713897705 stays
        {0.47, 0.5},                      // the double 0.47 lies inside the window
        {0.4701, 0.5},
        {0.5299, 0.5},
        {0.5, 0.5},
        {0.46, 0.46},
        {0.54, 0.54},
        {0.0, 0.0},
        {1.0, 1.0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(slider.snapValue(c.value, juce::Slider::absoluteDrag), c.expected) << c.value;
}

TEST(PanelBase, MakePanelKnobSetsUpARotaryKnobWithoutTextBox)
{
    RecordingPanel panel;
    juce::Slider knob;
    juce::LookAndFeel_V4 laf;
    panel.makePanelKnob(knob, laf, "Depth", "Sets the depth", false, nullptr);

    EXPECT_EQ(knob.getParentComponent(), &panel);
    EXPECT_TRUE(knob.isVisible());
    EXPECT_EQ(knob.getName(), "Depth");
    EXPECT_EQ(knob.getTooltip(), "Sets the depth");
    EXPECT_EQ(&knob.getLookAndFeel(), &laf);
    EXPECT_EQ((double) knob.getProperties()["popupfontsize"], (double) 0.3f);
    EXPECT_EQ(knob.getSliderStyle(), juce::Slider::RotaryHorizontalVerticalDrag);
    EXPECT_EQ(knob.getTextBoxPosition(), juce::Slider::NoTextBox);
    const auto rotary = knob.getRotaryParameters();
    EXPECT_FLOAT_EQ(rotary.startAngleRadians, 3.92699099f);
    EXPECT_FLOAT_EQ(rotary.endAngleRadians, 8.63938046f);
    EXPECT_TRUE(rotary.stopAtEnd);
    EXPECT_EQ(knob.getMinimum(), 0.0);
    EXPECT_EQ(knob.getMaximum(), 1.0);
    EXPECT_EQ(knob.getInterval(), 0.0);
    EXPECT_EQ(knob.findColour(juce::Slider::rotarySliderOutlineColourId), juce::Colours::black);
    EXPECT_EQ(knob.findColour(juce::Slider::textBoxTextColourId), juce::Colour(0xffdddddd));
    knob.setLookAndFeel(nullptr);
}

TEST(PanelBase, FirstStepCellIsCentredInSinglePrecision)
{
    RecordingPanel panel;
    struct Case
    {
        juce::Rectangle<int> area;
        int count;
        juce::Rectangle<int> expected;
    };
    const Case cases[] = {
        // W = 500: cell width (int) 31.2 = 31; x = 10 + 1 + (int) ((500 - 31.2 * 16) * 0.5) = 11 + 0.
        {{10, 20, 502, 40}, 16, {11, 21, 31, 38}},
        {{0, 0, 102, 12}, 8, {1 + (int) ((100.0f - 0.0624f * 100.0f * 8.0f) * 0.5f), 1, 6, 10}},
        {{5, 5, 1, 1}, 4, {6, 6, 0, 0}},
    };
    for (const auto& c : cases)
    {
        auto area = c.area;
        juce::Rectangle<int> cell;
        panel.calcSeq1StepBaseRect(area, cell, c.count);
        EXPECT_EQ(cell, c.expected) << c.area.toString();
    }
}

TEST(PanelBase, PanelMenuHasOneInitializeItem)
{
    RecordingPanel panel;
    const auto menu = panel.getMyPanelMenu(false);
    juce::PopupMenu::MenuItemIterator it(menu);
    ASSERT_TRUE(it.next());
    EXPECT_EQ(it.getItem().itemID, 5000);
    EXPECT_EQ(it.getItem().text, "Initialize");
    EXPECT_FALSE(it.next());

    panel.panelMenuHandler(4999, nullptr);
    EXPECT_EQ(panel.inits, 0);
    panel.panelMenuHandler(5000, nullptr);
    EXPECT_EQ(panel.inits, 1);
}

// The menu window is the front modal component while it is open; keys reach
// it as they would from the user.
juce::Component* openMenuWindow()
{
    auto* modal = juce::ModalComponentManager::getInstance();
    return modal->getNumModalComponents() > 0 ? modal->getModalComponent(0) : nullptr;
}

void chooseFirstItem(juce::Component& menuWindow)
{
    menuWindow.keyPressed(juce::KeyPress(juce::KeyPress::downKey));
    menuWindow.keyPressed(juce::KeyPress(juce::KeyPress::returnKey));
}

class PanelMenu : public ::testing::Test
{
protected:
    void TearDown() override
    {
        juce::PopupMenu::dismissAllActiveMenus();
        zutest::pumpUntil([] { return openMenuWindow() == nullptr; });
    }

    ZumiraboxAudioProcessor processor;
};

TEST_F(PanelMenu, ChoosingInitializeRunsThePanelsInit)
{
    auto editor = zutest::makeEditor(processor);
    auto panel = std::make_unique<RecordingPanel>();
    editor->addAndMakeVisible(*panel);
    juce::TextButton button("menu");
    panel->addAndMakeVisible(button);

    panel->openPanelMenu(&button);
    ASSERT_TRUE(zutest::pumpUntil([] { return openMenuWindow() != nullptr; }));
    chooseFirstItem(*openMenuWindow());
    EXPECT_TRUE(zutest::pumpUntil([&] { return panel->inits == 1; }));
    EXPECT_EQ(button.getState(), juce::Button::buttonNormal);
}

TEST_F(PanelMenu, AnswerAfterThePanelIsGoneDoesNothing)
{
    auto editor = zutest::makeEditor(processor);
    auto panel = std::make_unique<RecordingPanel>();
    editor->addAndMakeVisible(*panel);

    panel->openPanelMenu(nullptr);
    ASSERT_TRUE(zutest::pumpUntil([] { return openMenuWindow() != nullptr; }));
    const int initsBefore = RecordingPanel::initsOfAllPanels;
    panel.reset();
    chooseFirstItem(*openMenuWindow());
    EXPECT_TRUE(zutest::pumpUntil([] { return openMenuWindow() == nullptr; }));
    zutest::pumpFor(20);
    EXPECT_EQ(RecordingPanel::initsOfAllPanels, initsBefore);
}

TEST_F(PanelMenu, OutsideTheEditorNoMenuOpens)
{
    RecordingPanel panel;
    panel.setSize(100, 100);
    panel.openPanelMenu(nullptr);
    zutest::pumpFor(50);
    EXPECT_EQ(openMenuWindow(), nullptr);
}
} // namespace
