// SPDX-License-Identifier: GPL-3.0-or-later
// The main panel, the menu strip and the tooltip strip: their layout at the
// design size, the switches and buttons with their texts and bindings.

#include "GuiTestHelpers.h"
#include "MessagePump.h"
#include "ZuMessageWindows.h"

#include <gtest/gtest.h>

namespace
{
struct Placement
{
    const char* name;
    juce::Component* component;
    juce::Rectangle<int> bounds;
};

TEST(MainPanel, LaysItsChildrenOutAtTheDesignSize)
{
    zutest::DefaultScaleAfterwards defaultScale;
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    auto& panel = *editor->getMainPanel();
    ASSERT_EQ(panel.getBounds(), juce::Rectangle<int>(0, 0, 1000, 580));

    const Placement table[] = {
        {"MIDI label", &panel.midiLabel, {2, 1, 98, 8}},
        {"MUTE", &panel.muteButton, {3, 11, 27, 12}},
        {"THRU", &panel.thruButton, {32, 11, 27, 12}},
        {"CH LOCK", &panel.chLockButton, {61, 11, 38, 12}},
        {"menu strip", &panel.menuPanel, {162, 1, 772, 23}},
        {"center container", &panel.centerContainer, {1, 26, 998, 466}},
        {"separator", &panel.separator, {0, 493, 1000, 6}},
        {"bottom panel", &panel.bottomPanel, {1, 500, 998, 63}},
        {"tooltip strip", &panel.tooltipPanel, {0, 564, 1000, 16}},
    };
    for (const auto& row : table)
        EXPECT_EQ(row.component->getBounds(), row.bounds) << row.name;

    // The same in main-panel coordinates at any window size.
    editor->setSize(1500, 870);
    for (const auto& row : table)
        EXPECT_EQ(row.component->getBounds(), row.bounds) << row.name;
}

TEST(MainPanel, SwitchesShowTheirTextsAndWriteTheirBindings)
{
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    auto& panel = *editor->getMainPanel();

    EXPECT_EQ(panel.midiLabel.getText(), "MIDI");
    EXPECT_EQ(panel.muteButton.getButtonText(), "MUTE");
    EXPECT_EQ(panel.muteButton.getTooltip(), "Mute");
    EXPECT_EQ(panel.thruButton.getButtonText(), "THRU");
    EXPECT_EQ(panel.thruButton.getTooltip(), "Midi thru");
    EXPECT_EQ(panel.chLockButton.getButtonText(), "CH LOCK");
    EXPECT_EQ(panel.chLockButton.getTooltip(),
              "Midi CH Lock, if active, the Midi channel of each track will not be affected by a preset change.");
    for (juce::TextButton* button :
         std::initializer_list<juce::TextButton*>{&panel.muteButton, &panel.thruButton, &panel.chLockButton})
    {
        EXPECT_NE(dynamic_cast<ZuCLAF_MidiButton*>(&button->getLookAndFeel()), nullptr);
        EXPECT_TRUE(button->getClickingTogglesState());
        EXPECT_DOUBLE_EQ((double) button->getProperties()["fontsize"], (double) 0.7f);
    }

    auto* mute = processor.paramState.getParameter("p0_midimute");
    auto* thru = processor.paramState.getParameter("p0_midithru");
    panel.muteButton.triggerClick();
    panel.thruButton.triggerClick();
    panel.chLockButton.triggerClick();
    ASSERT_TRUE(zutest::pumpUntil([&] { return mute->getValue() > 0.5f && thru->getValue() > 0.5f; }));
    EXPECT_EQ((int) processor.paramTree.getProperty("p0_midichlock"), 1);

    // A state change reaches the switch.
    processor.paramTree.setProperty("p0_midichlock", 0, nullptr);
    EXPECT_TRUE(zutest::pumpUntil([&] { return !panel.chLockButton.getToggleState(); }));
}

TEST(MainPanel, GivesScaleAndChordSettingsToTheUnitsHalfASecondAfterOpening)
{
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    EXPECT_TRUE(zutest::pumpUntil([&] { return editor->getMainPanel()->getNumScaleUpdates() == 1; }));
}

TEST(MenuStrip, LaysItsButtonsOutAtItsSizeInTheMainPanel)
{
    ZuMiraCollection2_MenuPanel strip(juce::ValueTree("param"));
    strip.setBounds(0, 0, 772, 23);
    const juce::Rectangle<int> expected[] = {{13, 4, 73, 16},   {86, 4, 71, 16},  {238, 4, 56, 16},
                                             {294, 4, 220, 16}, {514, 4, 26, 16}, {540, 4, 26, 16},
                                             {566, 4, 49, 16},  {615, 4, 68, 16}, {683, 4, 76, 16}};
    for (int i = 0; i < ZuMiraCollection2_MenuPanel::numButtons; ++i)
        EXPECT_EQ(strip.getButton(i).getBounds(), expected[i]) << strip.getButton(i).getButtonText();
}

TEST(MenuStrip, ButtonsCarryTheirIdsTextsAndTooltips)
{
    ZuMiraCollection2_MenuPanel strip(juce::ValueTree("param"));
    struct Row
    {
        const char *text, *id, *tooltip;
    };
    const Row rows[] = {{"ZU-MIRA8", "", ""},
                        {"ver 1.1.82", "", ""},
                        {"Menu", "menu", "Menu"},
                        {"", "preset", "Preset"},
                        {"<", "preset_left", "Previous preset"},
                        {">", "preset_right", "Next preset"},
                        {"Save", "save", "Overwrites the existing preset"},
                        {"Save As", "saveas", "Saves as a new preset"},
                        {"Zurvana", "", ""}};
    for (int i = 0; i < ZuMiraCollection2_MenuPanel::numButtons; ++i)
    {
        auto& b = strip.getButton(i);
        EXPECT_EQ(b.getButtonText(), rows[i].text);
        EXPECT_EQ(b.getComponentID(), rows[i].id);
        EXPECT_EQ(b.getTooltip(), rows[i].tooltip);
        EXPECT_NE(dynamic_cast<ZuCLAF_PresetButton*>(&b.getLookAndFeel()), nullptr);
        EXPECT_EQ(b.getProperties()["outlinecolor"].toString(), juce::Colour(0xff35383c).toString());
    }
    for (auto* label : {&strip.productLabel, &strip.makerLabel, &strip.versionButton})
    {
        bool self = true, children = true;
        label->getInterceptsMouseClicks(self, children);
        EXPECT_FALSE(self || children) << label->getButtonText();
    }
    EXPECT_DOUBLE_EQ((double) strip.makerLabel.getProperties()["fontsize"], (double) 0.6f);
    EXPECT_DOUBLE_EQ((double) strip.menuButton.getProperties()["fontsize"], (double) 0.58f);
}

TEST(MenuStrip, PresetButtonFollowsThePresetNameButNeverShowsItEmpty)
{
    juce::ValueTree param("param");
    ZuMiraCollection2_MenuPanel strip(param);
    EXPECT_EQ(param.getProperty("presetname").toString(), "Preset");

    param.setProperty("presetname", "Bass line", nullptr);
    ASSERT_TRUE(zutest::pumpUntil([&] { return strip.presetButton.getButtonText() == "Bass line"; }));
    param.setProperty("presetname", "", nullptr);
    param.setProperty("other", 1, nullptr);
    zutest::pumpFor(50);
    EXPECT_EQ(strip.presetButton.getButtonText(), "Bass line");
}

TEST(MenuStrip, ButtonsActThroughTheEditorAndNotWithoutOne)
{
    zutest::DefaultScaleAfterwards defaultScale;
    juce::ValueTree param("param");
    ZuMiraCollection2_MenuPanel loose(param);
    loose.calloutBoxButtonIsClicked(0);
    EXPECT_FALSE(loose.openSaveConfirmation());

    ZumiraboxAudioProcessor processor;
    processor.scaleFactor = 1.0f;
    auto editor = zutest::makeEditor(processor);
    auto& strip = editor->getMainPanel()->menuPanel;
    int choosers = 0;
    editor->launchSaveAsChooser = [&](const juce::File&) { ++choosers; };

    // Save asks first; without a current preset "Overwrite" leads to the chooser.
    strip.saveButton.triggerClick();
    ZuOverWritePresetWndw* question = nullptr;
    ASSERT_TRUE(zutest::pumpUntil(
        [&]
        {
            for (auto* child : editor->getChildren())
                if (auto* box = dynamic_cast<juce::CallOutBox*>(child))
                    for (auto* content : box->getChildren())
                        if (auto* q = dynamic_cast<ZuOverWritePresetWndw*>(content))
                            question = q;
            return question != nullptr;
        }));
    EXPECT_EQ(question->getWidth(), 190);
    EXPECT_EQ(question->getHeight(), 85);
    question->getOverwriteButton().triggerClick();
    ASSERT_TRUE(zutest::pumpUntil([&] { return choosers == 1; }));
    EXPECT_TRUE(zutest::pumpUntil(
        [&]
        {
            for (auto* child : editor->getChildren())
                if (dynamic_cast<juce::CallOutBox*>(child) != nullptr)
                    return false;
            return true;
        }));

    strip.calloutBoxButtonIsClicked(0);
    strip.calloutBoxButtonIsClicked(1);
    strip.saveAsButton.triggerClick();
    ASSERT_TRUE(zutest::pumpUntil([&] { return choosers == 4; }));

    editor->setSize(1500, 870);
    juce::Rectangle<int> area;
    strip.getSaveAsButtonPos(area);
    EXPECT_EQ(area, editor->getLocalArea(&strip.saveAsButton, strip.saveAsButton.getLocalBounds()));
    EXPECT_NEAR(area.getX(), (162 + 615) * 1.5, 2.0);
    EXPECT_NEAR(area.getWidth(), 68 * 1.5, 2.0);
}

TEST(TooltipStrip, ShowsTheTooltipOfWhatTheMouseIsOverOrNothing)
{
    ZuKern_TooltipPanel strip;
    auto& text = strip.getText();
    EXPECT_EQ(text.getName(), "tooltip");
    EXPECT_EQ(text.isPolling(), juce::Desktop::getInstance().getMainMouseSource().canHover());

    juce::TextButton withTip, withoutTip;
    withTip.setTooltip("Saves as a new preset");
    EXPECT_EQ(text.getTipFor(nullptr), "");
    EXPECT_EQ(text.getTipFor(&withTip), "Saves as a new preset");
    EXPECT_EQ(text.getTipFor(&withoutTip), "");
    juce::Component plain;
    EXPECT_EQ(text.getTipFor(&plain), "");

    // A modal component blocks the widget: nothing to show.
    juce::Component host, modal;
    host.addAndMakeVisible(withTip);
    host.addToDesktop(0);
    modal.addToDesktop(0);
    modal.setVisible(true);
    modal.enterModalState(false);
    EXPECT_EQ(text.getTipFor(&withTip), "");
    modal.exitModalState(0);
    EXPECT_EQ(text.getTipFor(&withTip), "Saves as a new preset");
}

TEST(TooltipStrip, PlacesTheIconAndTheText)
{
    ZuKern_TooltipPanel strip;
    strip.setBounds(0, 0, 1000, 16);
    EXPECT_EQ(strip.getIcon().getBounds(), juce::Rectangle<int>(2, 2, 12, 12));
    EXPECT_EQ(strip.getText().getBounds(), juce::Rectangle<int>(22, 2, 680, 12));
    strip.setBounds(0, 0, 300, 7);
    EXPECT_EQ(strip.getIcon().getBounds(), juce::Rectangle<int>(0, 0, 7, 7));
    EXPECT_NE(dynamic_cast<ZuCLAF_TooltipLabel*>(&strip.getText().getLookAndFeel()), nullptr);
    EXPECT_NE(dynamic_cast<ZuCLAF_InfoSvgLabel*>(&strip.getIcon().getLookAndFeel()), nullptr);
}

TEST(TooltipStrip, TheEditorHasNoPopUpTooltipWindow)
{
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    std::function<bool(juce::Component&)> hasTooltipWindow = [&](juce::Component& c)
    {
        if (dynamic_cast<juce::TooltipWindow*>(&c) != nullptr)
            return true;
        for (auto* child : c.getChildren())
            if (hasTooltipWindow(*child))
                return true;
        return false;
    };
    EXPECT_FALSE(hasTooltipWindow(*editor));
}
} // namespace
