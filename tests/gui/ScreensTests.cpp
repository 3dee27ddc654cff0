// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the common windows at their default sizes into build/test/screens/.

#include "GuiTestHelpers.h"
#include "MessagePump.h"
#include "ScreenWriter.h"
#include "TempFolder.h"
#include "ZuCLAF_Base.h"
#include "ZuCLAF_StripMembers.h"

#include <gtest/gtest.h>

namespace
{
juce::Component* frontModal()
{
    auto* modal = juce::ModalComponentManager::getInstance();
    return modal->getNumModalComponents() > 0 ? modal->getModalComponent(0) : nullptr;
}

// Shows menu as the user would see it and takes a snapshot of its window.
juce::Image snapshotOfMenu(juce::PopupMenu& menu)
{
    menu.showMenuAsync(juce::PopupMenu::Options()
                           .withTargetScreenArea({200, 200, 1, 1})
                           .withMinimumWidth(160)
                           .withStandardItemHeight(22));
    juce::Image image;
    if (zutest::pumpUntil([] { return frontModal() != nullptr; }))
    {
        auto* window = frontModal();
        image = window->createComponentSnapshot(window->getLocalBounds());
    }
    juce::PopupMenu::dismissAllActiveMenus();
    zutest::pumpUntil([] { return frontModal() == nullptr; });
    return image;
}

juce::PopupMenu sampleMenu(juce::LookAndFeel& laf)
{
    juce::PopupMenu sub;
    sub.addItem(11, "Pitch SEQ");
    juce::PopupMenu menu;
    menu.setLookAndFeel(&laf);
    menu.addItem(1, "Midi Learn");
    menu.addItem(2, "Midi UnLearn", false);
    menu.addSeparator();
    menu.addItem(3, "Initialize", true, true);
    menu.addSubMenu("Load Preset", sub);
    menu.addItem(4, "Save as...", true, false);
    return menu;
}

TEST(Screens, PopupMenus)
{
    ZuShared<ZuCLAF_Base> common;
    ZuShared<ZuCLAF_MidiLearnPopMenu> small;
    auto commonMenu = sampleMenu(common.get());
    auto smallMenu = sampleMenu(small.get());
    const auto a = snapshotOfMenu(commonMenu);
    const auto b = snapshotOfMenu(smallMenu);
    ASSERT_TRUE(a.isValid() && b.isValid());

    // The small dark menu has its grey frame and dark fill.
    EXPECT_EQ(b.getPixelAt(0, 0), juce::Colour(0xff808080));
    EXPECT_EQ(b.getPixelAt(b.getWidth() - 4, b.getHeight() - 4), juce::Colour(0xff101010));

    juce::Image sheet(juce::Image::ARGB, a.getWidth() + b.getWidth() + 30,
                      juce::jmax(a.getHeight(), b.getHeight()) + 20, true);
    {
        juce::Graphics g(sheet);
        g.fillAll(juce::Colour(0xff292929));
        g.drawImageAt(a, 10, 10);
        g.drawImageAt(b, a.getWidth() + 20, 10);
    }
    EXPECT_TRUE(zutest::writeScreen(sheet, "gui-popup-menu.png"));
}

TEST(Screens, AlertWindow)
{
    ZuShared<ZuCLAF_Base> laf;
    std::unique_ptr<juce::AlertWindow> window(
        laf->createAlertWindow("Overwrite preset?", "A preset with this name already exists in the folder.",
                               "Overwrite", "Cancel", "", juce::MessageBoxIconType::WarningIcon, 2, nullptr));
    window->setLookAndFeel(&laf.get());
    window->setMessage("A preset with this name already exists in the folder."); // lays out with its look-and-feel
    ASSERT_GT(window->getWidth(), 0);
    const auto image = window->createComponentSnapshot(window->getLocalBounds());
    // The fill starts at the dark teal of the gradient.
    const auto corner = image.getPixelAt(1, 1);
    EXPECT_NEAR(corner.getRed(), 0x1d, 3);
    EXPECT_NEAR(corner.getGreen(), 0x44, 3);
    EXPECT_NEAR(corner.getBlue(), 0x43, 3);
    EXPECT_TRUE(zutest::writeScreen(image, "gui-alert.png"));
    window->setLookAndFeel(nullptr);
}

TEST(Screens, FileBrowser)
{
    const auto folder = zutest::uniqueTempFolder("zu-screens-presets");
    folder.getChildFile("Drums").createDirectory();
    folder.getChildFile("Bass Line.pchsq").replaceWithText(juce::String::repeatedString("x", 3000));
    folder.getChildFile("Chord Walk.pchsq").replaceWithText("x");
    folder.getChildFile("Evening.zip").replaceWithText(juce::String::repeatedString("x", 40000));

    ZuShared<ZuCLAF_Base> laf;
    juce::FileBrowserComponent browser(
        juce::FileBrowserComponent::saveMode | juce::FileBrowserComponent::canSelectFiles, folder, nullptr, nullptr);
    browser.setLookAndFeel(&laf.get());
    browser.setSize(600, 400);

    juce::ListBox* list = nullptr;
    for (auto* child : browser.getChildren())
        if (auto* l = dynamic_cast<juce::ListBox*>(child))
            list = l;
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(zutest::pumpUntil([&] { return list->getModel()->getNumRows() == 4; }));
    list->updateContent();
    list->selectRow(1);

    const auto image = browser.createComponentSnapshot(browser.getLocalBounds());
    EXPECT_TRUE(zutest::writeScreen(image, "gui-file-browser.png"));
    browser.setLookAndFeel(nullptr);
    folder.deleteRecursively();
}

// The tooltip strip as the editor's bottom row shows it.
class TooltipStrip : public juce::Component
{
public:
    TooltipStrip()
    {
        icon.setLookAndFeel(&iconLaf.get());
        text.setLookAndFeel(&textLaf.get());
        for (auto* label : {&icon, &text})
        {
            label->setColour(juce::Label::backgroundColourId, theme->mainBgColor[1]);
            addAndMakeVisible(*label);
        }
        icon.setColour(juce::Label::textColourId, juce::Colour(0xffafafaf));
        text.setColour(juce::Label::textColourId, juce::Colour(0xffd5d5d5));
        text.setJustificationType(juce::Justification::centredLeft);
        text.setText("Sets the base note of relative step pitch", juce::dontSendNotification);
    }

    ~TooltipStrip() override
    {
        icon.setLookAndFeel(nullptr);
        text.setLookAndFeel(nullptr);
    }

    void resized() override
    {
        auto area = getLocalBounds();
        icon.setBounds(area.removeFromLeft(getHeight()));
        text.setBounds(area.withTrimmedLeft(4));
    }

    ZuShared<ZuMirabox_ColorTheme> theme;
    ZuShared<ZuCLAF_InfoSvgLabel> iconLaf;
    ZuShared<ZuCLAF_TooltipLabel> textLaf;
    juce::Label icon, text;
};

TEST(Screens, TooltipStrip)
{
    TooltipStrip strip;
    strip.setSize(600, 20);
    const auto image = strip.createComponentSnapshot(strip.getLocalBounds());
    const auto iconInk = zutest::inkBoundsIn(image, {0, 0, 20, 20}, juce::Colour(0xff000000));
    EXPECT_FALSE(iconInk.isEmpty());
    const auto textInk = zutest::inkBoundsIn(image, {24, 0, 576, 20}, juce::Colour(0xff000000));
    EXPECT_GT(textInk.getWidth(), 150);
    EXPECT_TRUE(zutest::writeScreen(image, "gui-tooltip.png"));
}
} // namespace
