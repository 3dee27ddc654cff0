// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Drawing sliders and combo boxes through their look-and-feel members, as
// JUCE paints them, and counting colours in the result.

#include "ButtonSheet.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

namespace zutest
{
namespace sliderColours
{
const juce::Colour background(0xff203040), thumb(0xff40c040), track(0xffc04040), fill(0xff4040c0), outline(0xff8060a0),
    text(0xffe0e0e0), box(0xff603060), boxOutline(0xff20a0a0);
const juce::Colour mod1(0xffffff00), mod2(0xff00ffff);
} // namespace sliderColours

// A rotary slider as the modulatable knobs set theirs up (5/4 pi to 11/4 pi,
// no text box), with distinct colours for every colour id.
inline std::unique_ptr<juce::Slider>
makeSlider(const juce::String& name, int w, int h, double min = 0.0, double max = 1.0, double value = 0.5,
           juce::Slider::SliderStyle style = juce::Slider::RotaryHorizontalVerticalDrag)
{
    using namespace sliderColours;
    auto s = std::make_unique<juce::Slider>(style, juce::Slider::NoTextBox);
    s->setName(name);
    s->setRotaryParameters(3.92699099f, 8.63938046f, true);
    s->setRange(min, max, 0.0);
    s->setValue(value, juce::dontSendNotification);
    s->setColour(juce::Slider::backgroundColourId, background);
    s->setColour(juce::Slider::thumbColourId, thumb);
    s->setColour(juce::Slider::trackColourId, track);
    s->setColour(juce::Slider::rotarySliderFillColourId, fill);
    s->setColour(juce::Slider::rotarySliderOutlineColourId, outline);
    s->setColour(juce::Slider::textBoxTextColourId, text);
    s->setColour(juce::Slider::textBoxBackgroundColourId, box);
    s->setColour(juce::Slider::textBoxOutlineColourId, boxOutline);
    s->setSize(w, h);
    return s;
}

inline void setProps(juce::Component& c, const StyleProps& props)
{
    for (const auto& [key, value] : props)
        c.getProperties().set(key, value);
}

// The component painted with laf as JUCE paints it (children included).
inline juce::Image drawComponent(juce::LookAndFeel& laf, juce::Component& c,
                                 juce::Colour background = juce::Colour(0xff000000))
{
    c.setLookAndFeel(&laf);
    auto image = paintImage(
        c.getWidth(), c.getHeight(), [&](juce::Graphics& g) { c.paintEntireComponent(g, false); }, background);
    c.setLookAndFeel(nullptr);
    return image;
}

// Pixels of the region whose colour is near colour (see countNear), also
// for colours mixed into the background by a partial alpha: a hue test.
inline int countHue(const juce::Image& image, juce::Colour colour, juce::Rectangle<int> region = {},
                    float hueTolerance = 0.04f)
{
    if (region.isEmpty())
        region = image.getBounds();
    region = region.getIntersection(image.getBounds());
    int n = 0;
    for (int y = region.getY(); y < region.getBottom(); ++y)
        for (int x = region.getX(); x < region.getRight(); ++x)
        {
            const auto c = image.getPixelAt(x, y);
            if (c.getSaturation() < 0.5f || c.getBrightness() < 0.25f)
                continue;
            float d = std::abs(c.getHue() - colour.getHue());
            d = std::min(d, 1.0f - d);
            if (d <= hueTolerance)
                ++n;
        }
    return n;
}

// The colour c drawn over black.
inline juce::Colour onBlack(juce::Colour c)
{
    return juce::Colour(0xff000000).overlaidWith(c);
}

inline bool sameImage(const juce::Image& a, const juce::Image& b, juce::Rectangle<int> region = {})
{
    if (a.getBounds() != b.getBounds())
        return false;
    if (region.isEmpty())
        region = a.getBounds();
    for (int y = region.getY(); y < region.getBottom(); ++y)
        for (int x = region.getX(); x < region.getRight(); ++x)
            if (a.getPixelAt(x, y) != b.getPixelAt(x, y))
                return false;
    return true;
}

// The mouse over the middle of the component for the scope's life: the
// component goes on the desktop (a real window, so under Xvfb) and its peer
// gets the mouse moves that a host's window would.
class HoverScope
{
public:
    explicit HoverScope(juce::Component& component) : c(component)
    {
        c.setVisible(true);
        c.addToDesktop(0);
        move({(float) c.getWidth() / 2.0f, (float) c.getHeight() / 2.0f});
    }
    ~HoverScope()
    {
        move({-50.0f, -50.0f});
        c.removeFromDesktop();
    }

private:
    void move(juce::Point<float> p)
    {
        if (auto* peer = c.getPeer())
            peer->handleMouseEvent(juce::MouseInputSource::InputSourceType::mouse, p, juce::ModifierKeys(),
                                   juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                                   juce::Time::currentTimeMillis());
    }

    juce::Component& c;
    JUCE_DECLARE_NON_COPYABLE(HoverScope)
};

// The component painted by laf with the mouse over it.
inline juce::Image drawHovered(juce::LookAndFeel& laf, juce::Component& c)
{
    HoverScope hover(c);
    return drawComponent(laf, c);
}

// A sheet of cells with titles: rows of images, each cell titled.
struct SheetCell
{
    juce::String title;
    juce::Image image;
};

inline juce::Image sheetOf(const std::vector<std::vector<SheetCell>>& rows, int cellW, int cellH, int scale = 2)
{
    constexpr int titleH = 18;
    size_t columns = 0;
    for (const auto& r : rows)
        columns = std::max(columns, r.size());
    juce::Image sheet(juce::Image::ARGB, (int) columns * cellW, (int) rows.size() * (cellH + titleH), true);
    juce::Graphics g(sheet);
    g.fillAll(juce::Colour(0xff303030));
    g.setFont(ZuCLAF_BaseBase::faceFont("Medium", 12.0f));
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c)
        {
            const int x = (int) c * cellW, y = (int) r * (cellH + titleH);
            g.setColour(juce::Colours::white);
            g.drawText(rows[r][c].title, x, y, cellW, titleH, juce::Justification::centred);
            const auto& img = rows[r][c].image;
            const int w = img.getWidth() * scale, h = img.getHeight() * scale;
            g.drawImage(img, x + (cellW - w) / 2, y + titleH + (cellH - h) / 2, w, h, 0, 0, img.getWidth(),
                        img.getHeight());
        }
    return sheet;
}
} // namespace zutest
