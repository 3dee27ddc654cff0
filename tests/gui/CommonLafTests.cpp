// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiTestHelpers.h"
#include "MessagePump.h"
#include "ZuCLAF_Base.h"
#include "ZuStyleProps.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
const juce::Colour background(0xff000000);

// Columns of row y whose pixel is at least half white.
juce::Range<int> brightColumns(const juce::Image& image, int y)
{
    int first = -1, last = -1;
    for (int x = 0; x < image.getWidth(); ++x)
        if (image.getPixelAt(x, y).getBrightness() > 0.5f)
        {
            if (first < 0)
                first = x;
            last = x;
        }
    return first < 0 ? juce::Range<int>() : juce::Range<int>(first, last + 1);
}

class CommonLookAndFeel : public ::testing::Test
{
protected:
    ZuCLAF_Base laf;
};

TEST_F(CommonLookAndFeel, ScrollbarThumbIsThinnerAtRest)
{
    juce::ScrollBar bar(true);
    bar.setColour(juce::ScrollBar::backgroundColourId, background);
    bar.setColour(juce::ScrollBar::thumbColourId, juce::Colour(0xffc0c0c0));

    struct Case
    {
        bool hovered;
        juce::Range<int> columns;
    };
    const Case cases[] = {{false, {2, 6}}, {true, {1, 7}}};
    for (const auto& c : cases)
    {
        const auto image = zutest::paintImage(
            8, 100,
            [&](juce::Graphics& g) { laf.drawScrollbar(g, bar, 0, 0, 8, 100, true, 10, 60, c.hovered, false); });
        EXPECT_EQ(brightColumns(image, 40), c.columns) << (c.hovered ? "hovered" : "at rest");
        EXPECT_EQ(ZuCLAF_Base::scrollbarThumb(0, 0, 8, 100, true, 10, 60, c.hovered).getHorizontalRange(), c.columns);
    }
    EXPECT_FALSE(laf.areScrollbarButtonsVisible());
    // A horizontal bar 8 high is thinned across its height the same way.
    EXPECT_EQ(ZuCLAF_Base::scrollbarThumb(0, 0, 100, 8, false, 10, 60, false), juce::Rectangle<int>(11, 2, 58, 4));
    // Sizes never go below zero.
    EXPECT_EQ(ZuCLAF_Base::scrollbarThumb(0, 0, 1, 2, true, 0, 2, true).getWidth(), 0);
}

TEST_F(CommonLookAndFeel, PopupItemFontAndIconInset)
{
    EXPECT_FLOAT_EQ(ZuCLAF_Base::popupItemFontHeight(20), 13.0f);
    // r = 18 high: 0.15 x 18 = 2 clamps to 3; icon width 3/4 x 18 = 13.
    EXPECT_EQ(ZuCLAF_Base::popupItemIconArea({0, 0, 200, 20}), juce::Rectangle<int>(4, 4, 7, 12));
    // Tall items clamp the inset at 12.
    EXPECT_EQ(ZuCLAF_Base::popupItemIconArea({0, 0, 400, 102}).getX(), 1 + 12);

    laf.setColour(juce::PopupMenu::textColourId, juce::Colours::white);
    const auto image = zutest::paintImage(
        200, 20,
        [&](juce::Graphics& g) {
            laf.drawPopupMenuItem(g, {0, 0, 200, 20}, false, true, false, true, false, "", "", nullptr, nullptr);
        });
    const auto tick = zutest::inkBounds(image, background);
    EXPECT_FALSE(tick.isEmpty());
    EXPECT_TRUE(juce::Rectangle<int>(3, 3, 9, 14).contains(tick)) << tick.toString();
}

TEST_F(CommonLookAndFeel, HighlightedAndInactivePopupItems)
{
    laf.setColour(juce::PopupMenu::highlightedBackgroundColourId, juce::Colour(0xff2040ff));
    const auto image = zutest::paintImage(
        100, 20,
        [&](juce::Graphics& g) {
            laf.drawPopupMenuItem(g, {0, 0, 100, 20}, false, false, true, false, true, "Item", "", nullptr, nullptr);
        });
    EXPECT_EQ(image.getPixelAt(2, 2), juce::Colour(0xff2040ff)); // the highlight fills, active or not
    EXPECT_EQ(image.getPixelAt(0, 0), background);               // inside the area reduced by 1
}

TEST_F(CommonLookAndFeel, FileRowShowsSizeAndTimeOnlyAbove450Pixels)
{
    juce::TimeSliceThread thread("unused");
    juce::DirectoryContentsList contents(nullptr, thread);
    juce::FileListComponent list(contents);
    laf.setColour(juce::DirectoryContentsDisplayComponent::textColourId, juce::Colours::white);
    list.setColour(juce::DirectoryContentsDisplayComponent::textColourId, juce::Colours::white);

    struct Case
    {
        int width;
        bool isDirectory;
        bool details;
    };
    const Case cases[] = {{450, false, false}, {451, false, true}, {600, true, false}};
    for (const auto& c : cases)
    {
        const auto image = zutest::paintImage(c.width, 24,
                                              [&](juce::Graphics& g) {
                                                  laf.drawFileBrowserRow(g, c.width, 24, {}, "a", nullptr, "88 KB",
                                                                         "1 Jan 2026", c.isDirectory, false, 0, list);
                                              });
        const juce::Rectangle<int> detailArea(juce::roundToInt(0.7f * (float) c.width), 0,
                                              c.width - juce::roundToInt(0.7f * (float) c.width), 24);
        EXPECT_EQ(!zutest::inkBoundsIn(image, detailArea, background).isEmpty(), c.details) << c.width;
        // The icon is drawn in its box left of the name.
        const auto icon = zutest::inkBoundsIn(image, {0, 0, 30, 24}, background);
        EXPECT_FALSE(icon.isEmpty());
        EXPECT_TRUE(juce::Rectangle<int>(3, 3, 26, 18).contains(icon)) << icon.toString();
    }
}

TEST_F(CommonLookAndFeel, SliderBubbleTextFromPopupFontSize)
{
    juce::Slider slider;
    slider.setSize(100, 40);
    EXPECT_FLOAT_EQ(laf.getSliderPopupFont(slider).getHeight(), 12.0f);
    ZuStyle::setReal(slider, ZuStyle::popupfontsize, 0.5f);
    EXPECT_FLOAT_EQ(laf.getSliderPopupFont(slider).getHeight(), 20.0f);
    EXPECT_EQ(laf.getSliderPopupPlacement(slider), juce::BubbleComponent::above);
}

TEST_F(CommonLookAndFeel, AlertFontsAndFlags)
{
    EXPECT_EQ(laf.getAlertWindowButtonHeight(), 28);
    EXPECT_EQ(laf.getAlertBoxWindowFlags(), 0x101);
    const auto pointHeight = [](const juce::Font& f) { return f.getHeightInPoints(); };
    EXPECT_NEAR(pointHeight(laf.getAlertWindowFont()), 11.2f, 0.01f);
    EXPECT_NEAR(pointHeight(laf.getAlertWindowTitleFont()), 16.24f, 0.01f);
    EXPECT_NEAR(pointHeight(laf.getAlertWindowMessageFont()), 15.96f, 0.01f);
}

juce::TextButton* buttonNamed(juce::Component& window, const juce::String& text)
{
    for (auto* child : window.getChildren())
        if (auto* b = dynamic_cast<juce::TextButton*>(child); b != nullptr && b->getButtonText() == text)
            return b;
    return nullptr;
}

// The result a click on that button ends the window's modal state with.
int resultOfClicking(juce::AlertWindow& window, const juce::String& text)
{
    int result = -1;
    window.enterModalState(false, juce::ModalCallbackFunction::create([&](int r) { result = r; }), false);
    buttonNamed(window, text)->triggerClick();
    zutest::pumpUntil([&] { return result >= 0; });
    return result;
}

TEST_F(CommonLookAndFeel, AlertWindowButtonsHaveTheirResultCodesAndKeys)
{
    using juce::KeyPress;
    struct Button
    {
        const char* text;
        int result;
        std::vector<KeyPress> keys;
        std::vector<KeyPress> notKeys;
    };
    struct Case
    {
        int numButtons;
        std::vector<Button> buttons;
    };
    const KeyPress ret(KeyPress::returnKey), esc(KeyPress::escapeKey);
    const Case cases[] = {
        {1, {{"OK", 0, {esc, ret}, {}}}},
        {2, {{"Overwrite", 1, {ret, KeyPress('o')}, {esc}}, {"Cancel", 0, {esc, KeyPress('c')}, {ret}}}},
        {2, {{"Save", 1, {ret, KeyPress('s')}, {}}, {"Skip", 0, {esc}, {KeyPress('s')}}}},
        {3,
         {{"Yes", 1, {KeyPress('y')}, {ret}},
          {"No", 2, {KeyPress('n')}, {esc}},
          {"Cancel", 0, {esc}, {KeyPress('c')}}}},
    };
    for (const auto& c : cases)
    {
        juce::String names[3];
        for (size_t i = 0; i < c.buttons.size(); ++i)
            names[i] = c.buttons[i].text;
        for (const auto& b : c.buttons)
        {
            std::unique_ptr<juce::AlertWindow> window(laf.createAlertWindow("Title", "Message", names[0], names[1],
                                                                            names[2], juce::MessageBoxIconType::NoIcon,
                                                                            c.numButtons, nullptr));
            ASSERT_EQ(window->getNumButtons(), c.numButtons);
            EXPECT_EQ(window->findColour(juce::TextButton::buttonColourId), juce::Colour(0x00000000));
            EXPECT_EQ(window->findColour(juce::TextButton::buttonOnColourId), juce::Colour(0x00000000));
            auto* button = buttonNamed(*window, b.text);
            ASSERT_NE(button, nullptr) << b.text;
            for (const auto& key : b.keys)
                EXPECT_TRUE(button->isRegisteredForShortcut(key)) << b.text << " " << key.getTextDescription();
            for (const auto& key : b.notKeys)
                EXPECT_FALSE(button->isRegisteredForShortcut(key)) << b.text << " " << key.getTextDescription();
            EXPECT_EQ(resultOfClicking(*window, b.text), b.result) << b.text;
        }
    }

    std::unique_ptr<juce::AlertWindow> none(
        laf.createAlertWindow("T", "M", "A", "B", "C", juce::MessageBoxIconType::NoIcon, 4, nullptr));
    EXPECT_EQ(none->getNumButtons(), 0);
}

TEST_F(CommonLookAndFeel, FileBrowserLayout)
{
    juce::FileBrowserComponent browser(juce::FileBrowserComponent::openMode |
                                           juce::FileBrowserComponent::canSelectFiles,
                                       juce::File::getSpecialLocation(juce::File::tempDirectory), nullptr, nullptr);
    browser.setLookAndFeel(&laf);
    browser.setSize(600, 400);

    juce::ComboBox* pathBox = nullptr;
    juce::TextEditor* nameBox = nullptr;
    juce::Button* upButton = nullptr;
    juce::ListBox* list = nullptr;
    for (auto* child : browser.getChildren())
    {
        if (auto* c = dynamic_cast<juce::ComboBox*>(child))
            pathBox = c;
        else if (auto* t = dynamic_cast<juce::TextEditor*>(child))
            nameBox = t;
        else if (auto* l = dynamic_cast<juce::ListBox*>(child))
            list = l;
        else if (auto* b = dynamic_cast<juce::Button*>(child))
            upButton = b;
    }
    ASSERT_TRUE(pathBox != nullptr && nameBox != nullptr && upButton != nullptr && list != nullptr);

    // Inside the bounds reduced by 20 and 5: width 560.
    EXPECT_EQ(pathBox->getBounds(), juce::Rectangle<int>(20, 5, 510, 24));
    EXPECT_EQ(upButton->getBounds(), juce::Rectangle<int>(536, 5, 44, 24));
    EXPECT_EQ(nameBox->getBounds(), juce::Rectangle<int>(48, 39, 532, 24));
    EXPECT_EQ(nameBox->getTextToShowWhenEmpty(), "Enter the preset name here");
    EXPECT_EQ(list->getBounds(), juce::Rectangle<int>(20, 73, 560, 322 - 20));
    browser.setLookAndFeel(nullptr);
}

TEST_F(CommonLookAndFeel, TitleBarButtonsCloseAlwaysAtTheRight)
{
    std::unique_ptr<juce::Button> close(laf.createDocumentWindowButton(juce::DocumentWindow::closeButton));
    std::unique_ptr<juce::Button> minimise(laf.createDocumentWindowButton(juce::DocumentWindow::minimiseButton));
    std::unique_ptr<juce::Button> maximise(laf.createDocumentWindowButton(juce::DocumentWindow::maximiseButton));
    ASSERT_TRUE(close && minimise && maximise);
    EXPECT_EQ(close->getName(), "close");
    EXPECT_EQ(minimise->getName(), "minimise");
    EXPECT_EQ(maximise->getName(), "maximise");
    EXPECT_EQ(laf.createDocumentWindowButton(8), nullptr);

    juce::DocumentWindow window("w", juce::Colours::grey, 0);
    // Title bar 200 x 22: buttons 22 high and 26 wide.
    laf.positionDocumentWindowButtons(window, 0, 0, 200, 22, minimise.get(), maximise.get(), close.get(), true);
    EXPECT_EQ(close->getBounds(), juce::Rectangle<int>(174, 0, 26, 22));
    laf.positionDocumentWindowButtons(window, 0, 0, 200, 22, minimise.get(), maximise.get(), close.get(), false);
    EXPECT_EQ(close->getBounds(), juce::Rectangle<int>(174, 0, 26, 22));
    EXPECT_EQ(maximise->getBounds(), juce::Rectangle<int>(148, 0, 26, 22));
    EXPECT_EQ(minimise->getBounds(), juce::Rectangle<int>(122, 0, 26, 22));
    // A missing maximise button leaves no gap.
    laf.positionDocumentWindowButtons(window, 0, 0, 200, 22, minimise.get(), nullptr, close.get(), false);
    EXPECT_EQ(minimise->getBounds(), juce::Rectangle<int>(148, 0, 26, 22));
}

TEST_F(CommonLookAndFeel, CallOutUsesTheBoxColoursAndKeepsItsShadow)
{
    juce::Component content;
    content.setSize(60, 40);
    juce::Component parent;
    parent.setSize(300, 300);
    juce::CallOutBox box(content, {100, 100, 10, 10}, &parent);
    box.setColour(juce::BubbleComponent::backgroundColourId, juce::Colour(0xff303030));
    box.setColour(juce::BubbleComponent::outlineColourId, juce::Colour(0xffaaaaaa));

    juce::Path path;
    path.addRectangle(box.getLocalBounds().toFloat().reduced(20.0f));
    juce::Image cache;
    const auto image = zutest::paintImage(
        box.getWidth(), box.getHeight(), [&](juce::Graphics& g) { laf.drawCallOutBoxBackground(box, g, path, cache); },
        juce::Colours::white);
    EXPECT_TRUE(cache.isValid());
    const auto centre = box.getLocalBounds().getCentre();
    EXPECT_EQ(image.getPixelAt(centre.x, centre.y), juce::Colour(0xff303030));
    EXPECT_EQ(image.getPixelAt(20, centre.y), juce::Colour(0xffaaaaaa));

    // A second paint reuses the cached shadow.
    const auto cached = cache;
    zutest::paintImage(box.getWidth(), box.getHeight(),
                       [&](juce::Graphics& g) { laf.drawCallOutBoxBackground(box, g, path, cache); });
    EXPECT_EQ(cache, cached);
}

class Bubble : public juce::BubbleComponent
{
public:
    void getContentSize(int& w, int& h) override { w = h = 10; }
    void paintContent(juce::Graphics&, int, int) override {}
};

TEST_F(CommonLookAndFeel, ValueBubbleUsesItsOwnConstants)
{
    Bubble bubble;
    bubble.setColour(juce::BubbleComponent::backgroundColourId, juce::Colours::red);
    const auto image = zutest::paintImage(60, 40,
                                          [&](juce::Graphics& g) {
                                              laf.drawBubble(g, bubble, {30.0f, 38.0f}, {10.0f, 5.0f, 40.0f, 25.0f});
                                          });
    // 0xff303030 at alpha 0.6 over black.
    const auto inside = image.getPixelAt(30, 17);
    EXPECT_NEAR(inside.getRed(), 0x1d, 2);
    EXPECT_EQ(inside.getRed(), inside.getGreen());
    EXPECT_EQ(image.getPixelAt(2, 2), background);
}

TEST_F(CommonLookAndFeel, TitleBarShowsNoWindowName)
{
    juce::DocumentWindow window("Test", juce::Colours::grey, juce::DocumentWindow::closeButton);
    const auto fill = laf.getCurrentColourScheme().getUIColour(juce::LookAndFeel_V4::ColourScheme::widgetBackground);
    const auto image = zutest::paintImage(
        200, 22, [&](juce::Graphics& g) { laf.drawDocumentWindowTitleBar(window, g, 200, 22, 0, 200, nullptr, true); });
    EXPECT_EQ(image.getPixelAt(100, 11), fill);
    EXPECT_TRUE(zutest::inkBounds(image, fill).isEmpty());
}
} // namespace
