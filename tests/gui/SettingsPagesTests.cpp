// SPDX-License-Identifier: GPL-3.0-or-later
// The settings page with its MIDI map call-out and the colour page, inside a
// real editor on a real processor, with the settings file under the test
// HOME read back as the next instance would read it.
#include "GuiTestHelpers.h"
#include "MessagePump.h"
#include "ScreenWriter.h"
#include "WidgetTestHelpers.h"
#include "ZuMirabox_BottomPanel.h"
#include "ZuMirabox_CenterContent.h"
#include "ZuMidiMapPanel.h"

#include "AddComp.h"
#include "ZuEditorAccess.h"

#include <gtest/gtest.h>

namespace
{
struct SettingsPages : ::testing::Test
{
    SettingsPages()
    {
        settings().getSettingFile();
        editor = zutest::makeEditor(processor);
    }

    PluginSettingState& settings() { return ZuEditorAccess(processor).getSettings(); }
    ZuMirabox_BottomPanel& bottom() { return editor->getMainPanel()->bottomPanel; }
    SettingPanelMain& settingsPage() { return bottom().settingsPagePanel; }
    ColorEditPanel& colourPage() { return bottom().colorPagePanel; }
    void show(int page)
    {
        bottom().menuButtons.getButton(page).triggerClick();
        ASSERT_TRUE(zutest::pumpUntil([&] { return bottom().getShownPage() == page; }));
    }
    // A key of the settings file as it is on disk now.
    juce::String stored(const juce::String& key)
    {
        juce::PropertiesFile file(settings().getSettingFileLocation(), settings().getSettingFileOptions());
        return file.getValue(key);
    }

    ZumiraboxAudioProcessor processor;
    std::unique_ptr<ZumiraboxAudioProcessorEditor> editor;
};

TEST_F(SettingsPages, TextsTooltipsAndLayout)
{
    auto& page = settingsPage();
    EXPECT_EQ(page.channelLabel.getText(), "Master \nMidi CH");
    EXPECT_EQ(page.modPanelLabel.getText(), "Mod panel visible \nby default");
    EXPECT_EQ(page.pitchPanelLabel.getText(), "Pitch SEQ panel \nextended by default");
    EXPECT_EQ(page.mapLabel.getText(), "Midi map");
    EXPECT_EQ(page.editButton.getButtonText(), "Edit");
    EXPECT_EQ(page.modPanelButton.getButtonText(), "onoff");
    EXPECT_EQ(page.channelBox.getTooltip(), "Sets the master Midi channel");
    EXPECT_EQ(page.modPanelButton.getTooltip(), "If active, the mod panel will be visible by default");
    EXPECT_EQ(page.pitchPanelButton.getTooltip(), "If active, the pitch seq panel will be extended by default");
    EXPECT_FALSE(page.editButton.getClickingTogglesState());

    // Page 947 x 61: rounded area (12, 5, 922, 52); usable 882 x 42 from (32, 10).
    ASSERT_EQ(page.getBounds(), juce::Rectangle<int>(0, 0, 947, 61));
    EXPECT_EQ(page.channelLabel.getBounds(), juce::Rectangle<int>(32, 10, 44, 20));
    EXPECT_EQ(page.channelBox.getBounds(), juce::Rectangle<int>(38, 35, 32, 14));
    EXPECT_EQ(page.modPanelLabel.getBounds(), juce::Rectangle<int>(80, 10, 88, 20));
    EXPECT_EQ(page.modPanelButton.getBounds(), juce::Rectangle<int>(93, 35, 62, 14));
    EXPECT_EQ(page.pitchPanelLabel.getBounds(), juce::Rectangle<int>(172, 10, 88, 20));
    EXPECT_EQ(page.mapLabel.getBounds(), juce::Rectangle<int>(264, 10, 61, 18));
    EXPECT_EQ(page.editButton.getBounds(), juce::Rectangle<int>(273, 34, 43, 15));
}

TEST_F(SettingsPages, TogglesSaveTheDefaultsAtOnceAndTheTabReloadsThem)
{
    show(BottomMenuButton::numPages - 2);
    auto& page = settingsPage();
    ASSERT_FALSE(page.modPanelButton.getToggleState());
    ASSERT_TRUE(zutest::click(page.modPanelButton));
    EXPECT_TRUE(settings().modPanelByDefault);
    EXPECT_EQ(stored("modpanelbydef"), "1");
    ASSERT_TRUE(zutest::click(page.pitchPanelButton));
    EXPECT_EQ(stored("pseqpanelbydef"), "1");
    ASSERT_TRUE(zutest::click(page.modPanelButton));
    EXPECT_EQ(stored("modpanelbydef"), "0");
    EXPECT_FALSE(settings().modPanelByDefault);

    // Changed elsewhere: selecting the page shows the stored flags.
    show(0);
    settings().modPanelByDefault = true;
    settings().pitchPanelByDefault = false;
    show(3);
    EXPECT_TRUE(page.modPanelButton.getToggleState());
    EXPECT_FALSE(page.pitchPanelButton.getToggleState());

    // The master channel follows the host.
    zutest::setHostParameter(processor, "p0_gch", 9.0f);
    EXPECT_TRUE(zutest::pumpUntil([&] { return page.channelBox.getValue() == 9.0; }));
}

TEST_F(SettingsPages, OutsideAnEditorTheTogglesStoreNothing)
{
    SettingPanelMain page(processor.paramState, juce::ValueTree("MidiMapState"));
    settings().modPanelByDefault = false;
    page.modPanelButton.triggerClick();
    ASSERT_TRUE(zutest::pumpUntil([&] { return page.modPanelButton.getToggleState(); }));
    EXPECT_FALSE(settings().modPanelByDefault);
    page.mapEditButtonClicked();
}

TEST_F(SettingsPages, TheMidiMapListsTheCNotesAndStoresOnlyAChoice)
{
    show(3);
    settings().midiTpNote = 60;
    settings().updateAndSaveSettingFile();
    const auto file = settings().getSettingFileLocation();
    const auto before = file.loadFileAsString();

    settingsPage().mapEditButtonClicked();
    auto* map = zutest::openCallOutContent<ZuMidiMapPanel>(*editor);
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->getWidth(), 800);
    EXPECT_EQ(map->getHeight(), 261);
    EXPECT_EQ(map->heading.getText(), "Midi Transpose (Uses 25 keys)");
    const char* names[] = {"-C2", "-C1", "C0", "C1", "C2", "C3", "C4", "C5", "C6"};
    ASSERT_EQ(map->selector.getNumItems(), ZuMidiMapPanel::numSelectorItems);
    for (int i = 0; i < ZuMidiMapPanel::numSelectorItems; ++i)
    {
        EXPECT_EQ(map->selector.getItemText(i), names[i]);
        EXPECT_EQ(map->selector.getItemId(i), 12 * i + 1);
    }
    EXPECT_EQ(map->noteName(0), "-C2");
    EXPECT_EQ(map->noteName(24), "C0");
    EXPECT_EQ(map->noteName(60), "C3");
    EXPECT_EQ(map->getSelectedBase(), 60);
    // The whole keyboard, 75 white keys from note 0, takes no mouse.
    bool self = true, children = true;
    map->keyboard.getInterceptsMouseClicks(self, children);
    EXPECT_FALSE(self);
    EXPECT_FALSE(children);
    EXPECT_NEAR(map->keyboard.getKeyStartPosition(127) + map->keyboard.getKeyWidth(), map->keyboard.getWidth(), 1.5);
    EXPECT_EQ(map->keyboard.getLowestVisibleKey(), 0);

    // Opening changed nothing.
    zutest::pumpFor(200);
    EXPECT_EQ(file.loadFileAsString(), before);
    EXPECT_EQ(settings().midiTpNote.load(), 60);

    // The fourth item: note 36 stored, saved and live, and the key range follows.
    map->selector.setSelectedItemIndex(3, juce::sendNotificationSync);
    EXPECT_EQ(settings().midiTpNote.load(), 36);
    EXPECT_EQ(processor.globalData.midiTpNote.load(), 36);
    EXPECT_EQ(stored("miditpnote"), "36");

    // Played keys transpose from the new base: with MIDI transpose on, key 38
    // is two above it (-10 semitones), key 35 lies below the 25 keys.
    zutest::setHostParameter(processor, "p0_miditp", 1.0f);
    processor.prepareToPlay(48000.0, 512);
    const auto playKey = [this](int key)
    {
        juce::AudioBuffer<float> audio(2, 512);
        juce::MidiBuffer midi;
        midi.addEvent(juce::MidiMessage::noteOn(1, key, (juce::uint8) 100), 0);
        processor.processBlock(audio, midi);
    };
    playKey(35);
    zutest::pumpFor(100);
    EXPECT_EQ(zutest::hostParameter(processor, "p0_gtp"), 0.0f);
    playKey(38);
    EXPECT_TRUE(zutest::pumpUntil([&] { return zutest::hostParameter(processor, "p0_gtp") == -10.0f; }));
    zutest::setHostParameter(processor, "p0_miditp", 0.0f);

    // The bracket spans the 25 keys from note 36.
    const auto image = map->createComponentSnapshot(map->getLocalBounds());
    const auto kb = map->keyboard.getBounds();
    const juce::Rectangle<int> under(0, kb.getBottom() + 2, map->getWidth(), (int) (0.45f * (float) kb.getHeight()));
    const auto ink = zutest::inkBoundsIn(image, under, juce::Colour(0xff131e2a).darker(0.2f));
    const float left = (float) kb.getX() + map->keyboard.getKeyStartPosition(36);
    const float right = (float) kb.getX() + map->keyboard.getKeyStartPosition(61);
    EXPECT_NEAR((float) ink.getX(), left + 2.0f, 2.0f);
    EXPECT_NEAR((float) ink.getRight(), right - 2.0f, 2.0f);
    EXPECT_TRUE(zutest::writeScreen(image, "gui-midi-map.png"));

    // The main page shows the new key range.
    show(0);
    EXPECT_EQ(bottom().mainPagePanel.octTpPanel.keyRangeLabel.getText(), "C1 ~ C3");

    // A map left open closes with the editor.
    show(3);
    settingsPage().mapEditButtonClicked();
    juce::Component::SafePointer<juce::CallOutBox> open(settingsPage().getMapCallOut());
    ASSERT_NE(open, nullptr);
    editor.reset();
    EXPECT_TRUE(zutest::pumpUntil([&] { return open == nullptr; }));
}

TEST_F(SettingsPages, AStoredBaseThatIsNoCNoteShowsNoSelectionAndStaysStored)
{
    settings().midiTpNote = 61;
    settings().updateAndSaveSettingFile();
    const auto before = settings().getSettingFileLocation().loadFileAsString();
    ZuMidiMapPanel map(61);
    editor->addAndMakeVisible(map);
    map.setBounds(0, 0, 800, 261);
    zutest::pumpFor(200);
    EXPECT_EQ(map.getSelectedBase(), -1);
    EXPECT_EQ(map.selector.getText(), "");
    EXPECT_EQ(settings().midiTpNote.load(), 61);
    EXPECT_EQ(settings().getSettingFileLocation().loadFileAsString(), before);
}

TEST_F(SettingsPages, AChosenColourIsSavedWithItsAlphaAndReachesTheUnits)
{
    // A pitch unit in the column.
    editor.reset();
    processor.mainTree.setProperty("ctstate", "CT:100 ", nullptr);
    processor.globalData.loadCenterUnitStateFromString("CT:100 ");
    editor = zutest::makeEditor(processor);
    auto& content = *editor->getMainPanel()->centerContainer.getCenterContent();
    ASSERT_TRUE(zutest::pumpUntil([&] { return content.getNumUnitPanels() == 1; }));

    show(4);
    auto& page = colourPage();
    // Five columns of 176 in the usable area (32, 10, 882, 42).
    EXPECT_EQ(page.labels[0].getBounds(), juce::Rectangle<int>(34, 10, 174, 14));
    EXPECT_EQ(page.buttons[0].getBounds(), juce::Rectangle<int>(59, 29, 124, 22));
    EXPECT_EQ(page.buttons[4].getBounds(), juce::Rectangle<int>(59 + 4 * 176, 29, 124, 22));
    const char* texts[] = {"Pitch SEQ", "Param SEQ", "CC SEQ", "CC Rack", "Oct/TP SEQ"};
    for (int k = 0; k < ColorEditPanel::numColours; ++k)
    {
        EXPECT_EQ(page.labels[(size_t) k].getText(), texts[k]);
        EXPECT_EQ(page.buttons[(size_t) k].findColour(juce::TextButton::buttonColourId),
                  settings().unitColors[(size_t) k]);
        EXPECT_EQ(page.buttons[(size_t) k].getButtonText(), "Click to change colour...");
    }

    auto& button = page.buttons[0];
    button.triggerClick();
    ASSERT_TRUE(zutest::pumpUntil([&] { return button.getSelector() != nullptr; }));
    auto* selector = button.getSelector();
    EXPECT_EQ(selector->getName(), "background");
    EXPECT_EQ(selector->getWidth(), 300);
    EXPECT_EQ(selector->getHeight(), 400);
    EXPECT_EQ(selector->getCurrentColour(), settings().unitColors[0]);

    const juce::Colour chosen(0x80123456);
    selector->setCurrentColour(chosen, juce::sendNotification);
    ASSERT_TRUE(zutest::pumpUntil([&] { return settings().unitColors[0] == chosen; }));
    EXPECT_EQ(stored("color1"), "80123456");
    for (int k = 2; k <= 5; ++k)
        EXPECT_EQ(stored("color" + juce::String(k)).length(), 8) << k;

    // A tenth of a second later every unit kind's painter has it.
    auto* unit = content.getUnitPanel(0);
    ASSERT_NE(unit, nullptr);
    EXPECT_TRUE(zutest::pumpUntil([&] { return unit->unitColor == chosen; }));
    // The pages take it when they are shown again.
    show(0);
    auto& resetTarget = bottom().mainPagePanel.resetPanel.targetPanel.getButton(1);
    EXPECT_EQ(resetTarget.findColour(juce::TextButton::buttonOnColourId), chosen);
    EXPECT_EQ(bottom().mainPagePanel.swingPanel.targetPanel.getButton(2).findColour(juce::TextButton::buttonOnColourId),
              chosen);
    show(2);
    EXPECT_EQ(bottom().chainerPagePanel.targetPanel.getCell(1).label.findColour(juce::Label::backgroundColourId),
              chosen);
    ASSERT_GT(content.getNumAddSlots(), 0);
    content.getAddSlot(0)->OpenPopupMenu();
    AddMenuContent* menu = zutest::openCallOutContent<AddMenuContent>(*editor);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->getButton(0).findColour(juce::TextButton::textColourOnId), chosen);

    // The selector's call-out may outlive the editor: it no longer reaches the page.
    show(4);
    page.buttons[1].triggerClick();
    ASSERT_TRUE(zutest::pumpUntil([&] { return page.buttons[1].getSelector() != nullptr; }));
    juce::Component::SafePointer<juce::CallOutBox> box(page.buttons[1].getCallOut());
    editor.reset();
    EXPECT_TRUE(zutest::pumpUntil([&] { return box == nullptr; }));
}

TEST_F(SettingsPages, WithoutMovingTheSelectorNothingIsWritten)
{
    show(4);
    auto& button = colourPage().buttons[2];
    const auto before = settings().getSettingFileLocation().loadFileAsString();
    button.triggerClick();
    ASSERT_TRUE(zutest::pumpUntil([&] { return button.getCallOut() != nullptr; }));
    button.getCallOut()->dismiss();
    EXPECT_TRUE(zutest::pumpUntil([&] { return button.getCallOut() == nullptr; }));
    EXPECT_EQ(settings().getSettingFileLocation().loadFileAsString(), before);
}
} // namespace
