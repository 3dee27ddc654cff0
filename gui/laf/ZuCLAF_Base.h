// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_BaseBase.h"

// The common look-and-feel: the editor makes it JUCE's default, so it draws
// everything that has no member of its own (scrollbars, popup menus, call-out
// boxes, alert windows, the preset file browser, floating-window title bars,
// slider value bubbles, empty combo boxes). It sets no colour of its own:
// what it asks of itself is JUCE's dark colour scheme.
class ZuCLAF_Base : public ZuCLAF_BaseBase
{
public:
    ZuCLAF_Base() = default;
    ~ZuCLAF_Base() override = default;

    bool areScrollbarButtonsVisible() override;
    void drawScrollbar(juce::Graphics& g, juce::ScrollBar& bar, int x, int y, int width, int height, bool isVertical,
                       int thumbStart, int thumbSize, bool isMouseOver, bool isMouseDown) override;
    juce::AlertWindow* createAlertWindow(const juce::String& title, const juce::String& message,
                                         const juce::String& button1, const juce::String& button2,
                                         const juce::String& button3, juce::MessageBoxIconType iconType, int numButtons,
                                         juce::Component* associatedComponent) override;
    void drawAlertBox(juce::Graphics& g, juce::AlertWindow& window, const juce::Rectangle<int>& textArea,
                      juce::TextLayout& textLayout) override;
    int getAlertBoxWindowFlags() override;
    int getAlertWindowButtonHeight() override;
    juce::Font getAlertWindowTitleFont() override;
    juce::Font getAlertWindowMessageFont() override;
    juce::Font getAlertWindowFont() override;
    void drawFileBrowserRow(juce::Graphics& g, int width, int height, const juce::File& file,
                            const juce::String& filename, juce::Image* icon, const juce::String& sizeText,
                            const juce::String& timeText, bool isDirectory, bool isSelected, int index,
                            juce::DirectoryContentsDisplayComponent& list) override;
    void layoutFileBrowserComponent(juce::FileBrowserComponent& browser, juce::DirectoryContentsDisplayComponent* list,
                                    juce::FilePreviewComponent* preview, juce::ComboBox* pathBox,
                                    juce::TextEditor* filenameBox, juce::Button* goUpButton) override;
    void drawPopupMenuBackground(juce::Graphics& g, int width, int height) override;
    void drawPopupMenuItem(juce::Graphics& g, const juce::Rectangle<int>& area, bool isSeparator, bool isActive,
                           bool isHighlighted, bool isTicked, bool hasSubMenu, const juce::String& text,
                           const juce::String& shortcutText, const juce::Drawable* icon,
                           const juce::Colour* textColour) override;
    void preparePopupMenuWindow(juce::Component& window) override;
    void drawComboBoxTextWhenNothingSelected(juce::Graphics& g, juce::ComboBox& box, juce::Label& label) override;
    juce::Font getSliderPopupFont(juce::Slider& slider) override;
    int getSliderPopupPlacement(juce::Slider& slider) override;
    void drawDocumentWindowTitleBar(juce::DocumentWindow& window, juce::Graphics& g, int w, int h, int titleSpaceX,
                                    int titleSpaceW, const juce::Image* icon, bool drawTitleTextOnLeft) override;
    juce::Button* createDocumentWindowButton(int buttonType) override;
    void positionDocumentWindowButtons(juce::DocumentWindow& window, int titleBarX, int titleBarY, int titleBarW,
                                       int titleBarH, juce::Button* minimiseButton, juce::Button* maximiseButton,
                                       juce::Button* closeButton, bool positionTitleBarButtonsOnLeft) override;
    void drawCallOutBoxBackground(juce::CallOutBox& box, juce::Graphics& g, const juce::Path& path,
                                  juce::Image& cachedImage) override;

    // Helpers kept for members that may want them; nothing calls them yet.
    void drawShinyButtonShape(juce::Graphics& g, float x, float y, float w, float h, float maxCornerSize,
                              const juce::Colour& baseColour, float strokeWidth, bool flatOnLeft, bool flatOnRight,
                              bool flatOnTop, bool flatOnBottom);
    void drawButtonShape(juce::Graphics& g, const juce::Path& outline, juce::Colour baseColour, float height);
    void drawForcusLinePath(juce::Path& path, juce::Rectangle<float> rect, float factor);

    // Geometry shared by the drawing above and by whoever needs to know it.
    static juce::Rectangle<int> scrollbarThumb(int x, int y, int width, int height, bool isVertical, int thumbStart,
                                               int thumbSize, bool hovered);
    static float popupItemFontHeight(int areaHeight);
    static juce::Rectangle<int> popupItemIconArea(juce::Rectangle<int> area);

    static constexpr int alertButtonHeight = 28;
    // Width above which a file row shows its size and time beside the name.
    static constexpr int fileRowDetailWidth = 450;
};

// The title-bar button of floating windows: a coloured disc, the shape shown
// only while the mouse is over it.
class LookAndFeel_V4_DocumentWindowButton : public juce::Button
{
public:
    LookAndFeel_V4_DocumentWindowButton(const juce::String& name, juce::Colour c, const juce::Path& normal,
                                        const juce::Path& toggled);

    void paintButton(juce::Graphics& g, bool highlighted, bool down) override;

private:
    juce::Colour colour;
    juce::Path normalShape, toggledShape;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(LookAndFeel_V4_DocumentWindowButton)
};
