// SPDX-License-Identifier: GPL-3.0-or-later
// The editor window: opening size from the stored scale, scaling, the
// resizing rules, its timers, the state-loaded command and the plug-in menu.

#include "GuiTestHelpers.h"
#include "TempFolder.h"
#include "MessagePump.h"

#include <gtest/gtest.h>

namespace
{
double storedSetting(PluginSettingState& settings, const char* key)
{
    juce::PropertiesFile file(settings.getSettingFileOptions());
    return file.getDoubleValue(key, -1.0);
}

TEST(EditorWindow, OpensAtTheStoredScaleRaisedToTheMinimum)
{
    zutest::DefaultScaleAfterwards defaultScale;
    struct Case
    {
        float stored;
        int width, height;
    };
    for (const auto& c : {Case{0.2f, 400, 232}, Case{1.5f, 1500, 870}, Case{1.0f, 1000, 580}})
    {
        ZumiraboxAudioProcessor processor;
        processor.scaleFactor = c.stored;
        auto editor = zutest::makeEditor(processor);
        EXPECT_EQ(editor->getWidth(), c.width) << c.stored;
        EXPECT_EQ(editor->getHeight(), c.height) << c.stored;
    }
}

TEST(EditorWindow, ScalesTheMainPanelAndStoresTheScaleOnEveryResize)
{
    zutest::DefaultScaleAfterwards defaultScale;
    ZumiraboxAudioProcessor processor;
    processor.getSettingFile();
    auto editor = zutest::makeEditor(processor);
    editor->setSize(1200, 696);

    EXPECT_FLOAT_EQ(processor.scaleFactor, 1.2f);
    EXPECT_NEAR(storedSetting(processor, "window_scalefactor"), 1.2, 1e-6);
    auto* panel = editor->getMainPanel();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->getBounds(), juce::Rectangle<int>(0, 0, 1000, 580));
    EXPECT_EQ(panel->getBoundsInParent(), juce::Rectangle<int>(0, 0, 1200, 696));

    // Widths below 50 count as 50.
    editor->setSize(10, 6);
    EXPECT_FLOAT_EQ(processor.scaleFactor, 0.05f);
}

TEST(EditorWindow, ClosingStoresTheSizeAndScale)
{
    zutest::DefaultScaleAfterwards defaultScale;
    ZumiraboxAudioProcessor processor;
    processor.getSettingFile();
    auto editor = zutest::makeEditor(processor);
    editor->setSize(1100, 638);
    editor.reset();

    EXPECT_EQ(processor.getLastWidthHeight(), juce::Point<int>(1100, 638));
    EXPECT_FLOAT_EQ(processor.scaleFactor, 1.1f);
    EXPECT_EQ((int) storedSetting(processor, "window_width"), 1100);
    EXPECT_EQ((int) storedSetting(processor, "window_height"), 638);
    EXPECT_NEAR(storedSetting(processor, "window_scalefactor"), 1.1, 1e-6);
}

TEST(EditorWindow, SetsItsResizingRulesShortlyAfterOpening)
{
    zutest::DefaultScaleAfterwards defaultScale;
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    using E = ZumiraboxAudioProcessorEditor;
    ASSERT_TRUE(zutest::pumpUntil([&] { return !editor->isTimerRunning(E::resizeRulesTimer); }));

    EXPECT_TRUE(editor->isResizable());
    auto* constrainer = editor->getConstrainer();
    ASSERT_NE(constrainer, nullptr);
    EXPECT_EQ(constrainer->getMinimumWidth(), 550);
    EXPECT_EQ(constrainer->getMinimumHeight(), 319);
    EXPECT_EQ(constrainer->getMaximumWidth(), 4000);
    EXPECT_EQ(constrainer->getMaximumHeight(), 2320);
    EXPECT_NEAR(constrainer->getFixedAspectRatio(), 1000.0 / 580.0, 1e-6);
}

TEST(EditorWindow, ShowsThePresetNameThenTheVisibleSkin)
{
    zutest::DefaultScaleAfterwards defaultScale;
    ZumiraboxAudioProcessor processor;
    ZuShared<ZuMirabox_ColorTheme> theme;
    auto editor = zutest::makeEditor(processor);
    auto* panel = editor->getMainPanel();
    using E = ZumiraboxAudioProcessorEditor;

    EXPECT_EQ(editor->getBackgroundColour(), juce::Colour(0xff000000));
    ASSERT_TRUE(zutest::pumpUntil([&] { return !editor->isTimerRunning(E::presetNameTimer); }));
    EXPECT_EQ(panel->menuPanel.presetButton.getButtonText(), "Preset");
    ASSERT_TRUE(zutest::pumpUntil([&] { return !editor->isTimerRunning(E::skinTimer); }));
    EXPECT_EQ(panel->getSkinMode(), 1);
    EXPECT_EQ(editor->getBackgroundColour(), theme->entry(0, 1));
}

TEST(EditorWindow, TheProcessorBuildsItAndItsStateLoadsReachTheMainPanel)
{
    zutest::DefaultScaleAfterwards defaultScale;
    std::unique_ptr<juce::AudioProcessor> plugin(createPluginFilter());
    EXPECT_TRUE(plugin->hasEditor());
    std::unique_ptr<juce::AudioProcessorEditor> created(plugin->createEditorIfNeeded());
    auto* editor = dynamic_cast<ZumiraboxAudioProcessorEditor*>(created.get());
    ASSERT_NE(editor, nullptr);
    auto& processor = *static_cast<ZumiraboxAudioProcessor*>(plugin.get());
    EXPECT_EQ(&editor->processor, &processor);

    auto document = processor.getXmlStateForSaveingPreset({});
    processor.loadStateFromXML(&document, false, {});
    EXPECT_TRUE(zutest::pumpUntil([&] { return editor->getMainPanel()->getNumPresetChanges() == 1; }));

    editor->handleCommandMessage(ZumiraboxAudioProcessorEditor::stateLoadedCommand);
    editor->handleCommandMessage(999);
    EXPECT_EQ(editor->getMainPanel()->getNumPresetChanges(), 2);
    created.reset();
}

TEST(EditorWindow, ResizeItemsSetTheirSizeEvenBelowTheCornerLimit)
{
    zutest::DefaultScaleAfterwards defaultScale;
    const std::array<juce::Point<int>, 16> sizes{{{500, 290},
                                                  {600, 348},
                                                  {700, 406},
                                                  {800, 464},
                                                  {900, 522},
                                                  {1000, 580},
                                                  {1100, 638},
                                                  {1200, 696},
                                                  {1300, 754},
                                                  {1400, 812},
                                                  {1500, 870},
                                                  {1600, 928},
                                                  {1700, 986},
                                                  {1800, 1044},
                                                  {1900, 1102},
                                                  {2000, 1160}}};
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    for (int k = 0; k < 16; ++k)
    {
        editor->menuItemSelected(ZuMainMenuHandler::firstResizeCommand + k);
        EXPECT_EQ(editor->getWidth(), sizes[(size_t) k].x) << k;
        EXPECT_EQ(editor->getHeight(), sizes[(size_t) k].y) << k;
        EXPECT_NEAR(processor.scaleFactor, 0.5f + 0.1f * (float) k, 1e-6) << k;
    }
    editor->menuItemSelected(ZuMainMenuHandler::resetWindowSizeCommand);
    EXPECT_EQ(editor->getWidth(), 1000);
    EXPECT_EQ(editor->getHeight(), 580);
    EXPECT_FLOAT_EQ(processor.scaleFactor, 1.0f);
}

TEST(EditorWindow, PluginMenuListsItsItemsAndIdsInOrder)
{
    zutest::DefaultScaleAfterwards defaultScale;
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    auto menu = editor->getMyPluginPopupMenu();

    std::vector<std::pair<juce::String, int>> items;
    for (juce::PopupMenu::MenuItemIterator it(menu); it.next();)
    {
        const auto& item = it.getItem();
        EXPECT_TRUE(item.isEnabled);
        EXPECT_FALSE(item.isTicked);
        items.emplace_back(item.isSeparator ? juce::String("-") : item.text, item.itemID);
        if (item.subMenu != nullptr)
        {
            int k = 0;
            for (juce::PopupMenu::MenuItemIterator sub(*item.subMenu); sub.next(); ++k)
            {
                EXPECT_EQ(sub.getItem().text, juce::String(50 + 10 * k) + "%");
                EXPECT_EQ(sub.getItem().itemID, 100000019 + k);
            }
            EXPECT_EQ(k, 16);
        }
    }
    const std::vector<std::pair<juce::String, int>> expected{{"Initialize All Param Values", 100000003},
                                                             {"-", 0},
                                                             {"Set Preset Folder Location", 100000006},
                                                             {"Open Preset Folder", 100000007},
                                                             {"-", 0},
                                                             {"Resize", 0},
                                                             {"-", 0},
                                                             {"Reset Window Size", 100000014},
                                                             {"-", 0},
                                                             {"Visit Zurvana", 100000008},
                                                             {"Go to Manual Page", 100000009},
                                                             {"Bug Report", 100000010},
                                                             {"-", 0},
                                                             {"About", 100000013}};
    EXPECT_EQ(items, expected);
}

TEST(EditorWindow, PluginMenuOpensFromTheMenuButtonAndAnswersThroughTheEditor)
{
    zutest::DefaultScaleAfterwards defaultScale;
    ZumiraboxAudioProcessor processor;
    processor.scaleFactor = 1.0f;
    auto editor = zutest::makeEditor(processor);
    editor->addToDesktop(0);
    editor->setVisible(true);
    auto* modal = juce::ModalComponentManager::getInstance();

    editor->openPluginMenu(&editor->getMainPanel()->menuPanel.menuButton);
    ASSERT_TRUE(zutest::pumpUntil([&] { return modal->getNumModalComponents() > 0; }));
    juce::PopupMenu::dismissAllActiveMenus();
    EXPECT_TRUE(zutest::pumpUntil([&] { return modal->getNumModalComponents() == 0; }));
    // Dismissing chose nothing.
    EXPECT_EQ(editor->getWidth(), 1000);
}

TEST(EditorWindow, InitialiseLeavesNoCurrentPresetAndShowsPreset)
{
    zutest::DefaultScaleAfterwards defaultScale;
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    auto folder = zutest::uniqueTempFolder("zu-editor-presets");
    folder.createDirectory();
    const auto preset = folder.getChildFile("a.zip");
    preset.replaceWithText("x");
    processor.presetLocation = folder.getFullPathName();
    processor.setCurPresetPath(preset.getFullPathName());
    processor.paramTree.setProperty("presetname", "Song", nullptr);
    auto* panel = editor->getMainPanel();
    ASSERT_TRUE(zutest::pumpUntil([&] { return panel->menuPanel.presetButton.getButtonText() == "Song"; }));

    editor->menuItemSelected(ZuMainMenuHandler::initializeCommand);
    EXPECT_EQ(processor.paramTree.getProperty("presetname").toString(), "Preset");
    EXPECT_TRUE(processor.curPresetPath.isEmpty());
    EXPECT_TRUE(zutest::pumpUntil([&] { return panel->menuPanel.presetButton.getButtonText() == "Preset"; }));

    auto path = folder.getFullPathName();
    auto current = processor.curPresetPath;
    auto menu = editor->getMyPresetPopupMenu(path, current);
    int items = 0;
    for (juce::PopupMenu::MenuItemIterator it(menu); it.next(); ++items)
        EXPECT_FALSE(it.getItem().isTicked);
    EXPECT_EQ(items, 1);
    folder.deleteRecursively();
}

TEST(EditorWindow, FolderAndLinksOpenThroughXdgOpenWithoutAShell)
{
    zutest::DefaultScaleAfterwards defaultScale;
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    std::vector<juce::StringArray> started;
    struct RestoreStarter
    {
        ZuDesktop::ProcessStarter saved = ZuDesktop::processStarter();
        ~RestoreStarter() { ZuDesktop::processStarter() = saved; }
    } restoreStarter;
    ZuDesktop::processStarter() = [&](const juce::StringArray& arguments)
    {
        started.push_back(arguments);
        return true;
    };

    auto folder = zutest::uniqueTempFolder("zu-editor-presets; rm -rf x");
    folder.createDirectory();
    processor.presetLocation = folder.getFullPathName();
    editor->menuItemSelected(ZuMainMenuHandler::openPresetFolderCommand);
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0], juce::StringArray("xdg-open", folder.getFullPathName()));
    EXPECT_TRUE(editor->getShownMessageTitle().isEmpty());

    folder.deleteRecursively();
    editor->menuItemSelected(ZuMainMenuHandler::openPresetFolderCommand);
    EXPECT_EQ(started.size(), 1u);
    EXPECT_EQ(editor->getShownMessageTitle(), "Preset folder not found");

    const char* addresses[] = {ZuMainMenuHandler::makerSiteAddress, ZuMainMenuHandler::manualAddress,
                               ZuMainMenuHandler::bugReportAddress};
    for (int k = 0; k < 3; ++k)
    {
        editor->menuItemSelected(ZuMainMenuHandler::visitMakerCommand + k);
        ASSERT_TRUE(zutest::pumpUntil([&] { return started.size() == (size_t) k + 2; }));
        EXPECT_EQ(started.back(), juce::StringArray("xdg-open", addresses[k]));
    }
}

TEST(EditorWindow, AMessageReplacesTheOpenOneAndAClickClosesIt)
{
    zutest::DefaultScaleAfterwards defaultScale;
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    editor->OpenPresetFolderNotFoundWndw();
    EXPECT_EQ(editor->getShownMessageTitle(), "Preset folder not found");
    ASSERT_NE(editor->getMessageWndw(), nullptr);
    EXPECT_EQ(editor->getMessageWndw()->getBounds(), editor->getLocalBounds());
    EXPECT_FLOAT_EQ(editor->getMessageWndw()->getFontFactor(), 0.21f);
    EXPECT_TRUE(editor->getShownMessageText().isEmpty());
    editor->openPresetFolderPermDeniedWndw();
    EXPECT_EQ(editor->getShownMessageTitle(), "Folder permission denied.");
    EXPECT_EQ(editor->getShownMessageText(), "Please check the folder permissions.");
    editor->closeMessageWndw();
    EXPECT_TRUE(editor->getShownMessageTitle().isEmpty());
    EXPECT_EQ(editor->getMessageWndw(), nullptr);

    editor->menuItemSelected(ZuMainMenuHandler::aboutCommand);
    EXPECT_TRUE(editor->getShownMessageTitle().contains("ZU-MIRA8"));
    EXPECT_TRUE(editor->getShownMessageTitle().contains("Zurvana"));
}
} // namespace
