// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuCLAF_Combos.h"

#include "ZuStyleProps.h"

namespace
{
using CB = juce::ComboBox;
constexpr auto centred = juce::Justification::centred;

juce::Colour col(const juce::Component& c, int id)
{
    return c.findColour(id);
}

juce::Colour bgcolor(const CB& box)
{
    return ZuStyle::colour(box, ZuStyle::bgcolor, juce::Colour(0xff000000));
}

float enabledAlpha(const CB& box, float off)
{
    return box.isEnabled() ? 1.0f : off;
}

// Two triangles, up and down, in the button area.
juce::Path doubleArrow(float bx, float by, float bw, float bh)
{
    juce::Path p;
    p.addTriangle(bx + 0.5f * bw, by + 0.25f * bh, bx + 0.33f * bw, by + 0.45f * bh, bx + 0.67f * bw, by + 0.45f * bh);
    p.addTriangle(bx + 0.5f * bw, by + 0.75f * bh, bx + 0.33f * bw, by + 0.55f * bh, bx + 0.67f * bw, by + 0.55f * bh);
    return p;
}

juce::Path doubleArrow(int bx, int by, int bw, int bh)
{
    return doubleArrow((float) bx, (float) by, (float) bw, (float) bh);
}

juce::Rectangle<float> halfFrame(int w, int h)
{
    return {0.5f, 0.5f, (float) w - 1.0f, (float) h - 1.0f};
}

// The rounded frame filled with the background colour, then stroked.
void roundedFrame(juce::Graphics& g, const CB& box, int w, int h, float corner, juce::Colour line, float thickness)
{
    g.setColour(col(box, CB::backgroundColourId));
    g.fillRoundedRectangle(halfFrame(w, h), corner);
    g.setColour(line);
    g.drawRoundedRectangle(halfFrame(w, h), corner, thickness);
}

// The face of the flat menus: "bgcolor", the rounded frame, the double arrow.
void flatFace(juce::Graphics& g, int w, int h, int bx, int by, int bw, int bh, CB& box)
{
    g.fillAll(bgcolor(box));
    roundedFrame(g, box, w, h, ZuStyle::real(box, ZuStyle::corner, 0.0f),
                 col(box, CB::outlineColourId).withAlpha(enabledAlpha(box, 0.4f)), 0.5f);
    g.setColour(col(box, CB::arrowColourId).withMultipliedAlpha(enabledAlpha(box, 0.4f)));
    g.fillPath(doubleArrow(bx, by, bw, bh));
}

// The face of the square menus: the 1-pixel outline and, with "arrowflag",
// the double arrow in the text colour.
void squareFace(juce::Graphics& g, int w, int h, int bx, int by, int bw, int bh, CB& box)
{
    g.setColour(col(box, CB::outlineColourId));
    g.drawRect(0, 0, w, h, 1);
    if (ZuStyle::integer(box, ZuStyle::arrowflag, 1) > 0)
    {
        g.setColour(col(box, CB::textColourId).withMultipliedAlpha(box.isEnabled() ? 0.6f : 0.3f));
        g.fillPath(doubleArrow(bx, by, bw, bh));
    }
}

// A font of the face at ph("fontsize"), with that point height.
juce::Font sizedFont(CB& box, const juce::String& face, float sizeFallback)
{
    const float p = (float) box.proportionOfHeight(ZuStyle::real(box, ZuStyle::fontsize, sizeFallback));
    return ZuCLAF_BaseBase::faceFont(face, p, juce::Font::bold).withPointHeight(p);
}

juce::Font flatFont(CB& box)
{
    return sizedFont(box, ZuStyle::text(box, ZuStyle::fontface, "Medium"), 0.6f);
}

juce::Font semiBoldFont(CB& box)
{
    return sizedFont(box, ZuStyle::text(box, ZuStyle::fontface, "SemiBold"), 0.6f);
}

juce::Font seqStepFont(CB& box)
{
    return sizedFont(box, "SemiBold", 0.58f);
}

void place(juce::Label& label, juce::Rectangle<int> bounds, const juce::Font& font, juce::Justification j,
           float minScale)
{
    label.setBounds(bounds);
    label.setFont(font);
    label.setJustificationType(j);
    label.setMinimumHorizontalScale(minScale);
}

int arrowShare(CB& box, float fallback)
{
    return box.proportionOfWidth(ZuStyle::real(box, ZuStyle::arrowsize, fallback));
}

juce::PopupMenu::Options comboOptions(CB& box, juce::Label& label)
{
    return juce::PopupMenu::Options()
        .withTargetComponent(&box)
        .withItemThatMustBeVisible(box.getSelectedId())
        .withInitiallySelectedItem(box.getSelectedId())
        .withMinimumWidth(box.getWidth())
        .withMaximumNumColumns(1)
        .withStandardItemHeight(label.getHeight());
}
} // namespace

// Flat menu ------------------------------------------------------------------------

void ZuCLAF_FlatMenu::drawComboBox(juce::Graphics& g, int w, int h, bool, int bx, int by, int bw, int bh, CB& box)
{
    flatFace(g, w, h, bx, by, bw, bh, box);
}

juce::Font ZuCLAF_FlatMenu::getComboBoxFont(CB& box)
{
    return flatFont(box);
}

void ZuCLAF_FlatMenu::positionComboBoxText(CB& box, juce::Label& label)
{
    place(label, {2, 0, box.getWidth() - arrowShare(box, 0.25f), box.getHeight()}, getComboBoxFont(box), centred, 0.1f);
}

juce::PopupMenu::Options ZuCLAF_FlatMenu::getOptionsForComboBoxPopupMenu(CB& box, juce::Label& label)
{
    return comboOptions(box, label).withMinimumWidth(50).withStandardItemHeight(16);
}

// Event menu -----------------------------------------------------------------------

void ZuCLAF_EventMenu::drawComboBox(juce::Graphics& g, int w, int h, bool, int bx, int by, int bw, int bh, CB& box)
{
    flatFace(g, w, h, bx, by, bw, bh, box);
}

juce::Font ZuCLAF_EventMenu::getComboBoxFont(CB& box)
{
    return flatFont(box);
}

void ZuCLAF_EventMenu::positionComboBoxText(CB& box, juce::Label& label)
{
    place(label, {0, 0, box.getWidth() - arrowShare(box, 0.1f), box.getHeight()}, getComboBoxFont(box), centred, 0.5f);
}

void ZuCLAF_EventMenu::drawComboBoxTextWhenNothingSelected(juce::Graphics& g, CB& box, juce::Label& label)
{
    const auto text = col(box, CB::textColourId);
    g.setColour(box.isEnabled() ? text : text.darker(0.9f));
    const auto font = label.getLookAndFeel().getLabelFont(label);
    g.setFont(font);
    const auto area = label.getLookAndFeel().getLabelBorderSize(label).subtractedFrom(label.getLocalBounds());
    g.drawFittedText(box.getTextWhenNothingSelected(), area, label.getJustificationType(),
                     juce::jmax(1, (int) ((float) area.getHeight() / font.getHeight())),
                     label.getMinimumHorizontalScale());
}

// Flat menu with one triangle --------------------------------------------------------

void ZuCLAF_FlatMenu2::drawComboBox(juce::Graphics& g, int w, int h, bool, int, int, int, int, CB& box)
{
    g.fillAll(bgcolor(box));
    const juce::Rectangle<float> frame(0.0f, 0.0f, (float) w, (float) h);
    g.setColour(col(box, CB::backgroundColourId));
    g.fillRoundedRectangle(frame, 1.0f);
    g.setColour(col(box, CB::outlineColourId));
    g.drawRoundedRectangle(frame, 1.0f, 0.5f);

    const float aw = (float) juce::jmin(w, (int) (ZuStyle::real(box, ZuStyle::arrowsize, 0.1f) * (float) w));
    const float tw = juce::jmax(aw - 2.0f, 0.0f);
    const float ty = 0.39f * (float) h, tx = (float) w - aw + 1.0f, th = juce::jmax((float) h - 2.0f * ty, 0.0f);
    juce::Path arrow;
    arrow.addTriangle(tx, ty, tx + tw, ty, tx + 0.5f * tw, ty + th);
    g.setColour(col(box, CB::arrowColourId).withMultipliedAlpha(enabledAlpha(box, 0.4f)));
    g.fillPath(arrow);
}

juce::Font ZuCLAF_FlatMenu2::getComboBoxFont(CB& box)
{
    return flatFont(box);
}

void ZuCLAF_FlatMenu2::positionComboBoxText(CB& box, juce::Label& label)
{
    const int w = box.getWidth();
    const int arrow = juce::jmin(w, box.proportionOfWidth(0.7f * ZuStyle::real(box, ZuStyle::arrowsize, 0.1f)));
    place(label, {2, 0, w - arrow, box.getHeight()}, getComboBoxFont(box), juce::Justification::centredLeft, 0.1f);
}

juce::PopupMenu::Options ZuCLAF_FlatMenu2::getOptionsForComboBoxPopupMenu(CB& box, juce::Label& label)
{
    return comboOptions(box, label).withMinimumNumColumns(8);
}

// Corner-flagged menu ----------------------------------------------------------------

std::array<bool, 4> ZuCLAF_CornerFlatMenu::roundedCorners(const juce::Component& box)
{
    const bool l = ZuStyle::integer(box, ZuStyle::corner_l, 0) == 1,
               r = ZuStyle::integer(box, ZuStyle::corner_r, 0) == 1,
               t = ZuStyle::integer(box, ZuStyle::corner_t, 0) == 1,
               b = ZuStyle::integer(box, ZuStyle::corner_b, 0) == 1;
    return {!(l || t), !(r || t), !(l || b), !(r || b)};
}

void ZuCLAF_CornerFlatMenu::drawComboBox(juce::Graphics& g, int w, int h, bool, int bx, int by, int bw, int bh, CB& box)
{
    g.fillAll(bgcolor(box));
    if (w > 0 && h > 0)
    {
        const auto c = roundedCorners(box);
        juce::Path frame;
        frame.addRoundedRectangle(0.5f, 0.5f, (float) w - 1.0f, (float) h - 1.0f, 2.0f, 2.0f, c[0], c[1], c[2], c[3]);
        const auto line = col(box, CB::outlineColourId);
        g.setColour(box.isEnabled() ? line : line.darker(0.7f));
        g.strokePath(frame, juce::PathStrokeType(1.0f));
    }
    g.setColour(col(box, CB::arrowColourId).withMultipliedAlpha(enabledAlpha(box, 0.4f)));
    g.fillPath(doubleArrow(bx, by, bw, bh));
}

juce::Font ZuCLAF_CornerFlatMenu::getComboBoxFont(CB& box)
{
    return semiBoldFont(box);
}

void ZuCLAF_CornerFlatMenu::positionComboBoxText(CB& box, juce::Label& label)
{
    place(label, {2, 0, box.getWidth() - arrowShare(box, 0.25f), box.getHeight()}, getComboBoxFont(box), centred, 0.1f);
}

// Base note menu ---------------------------------------------------------------------

void ZuCLAF_BaseNoteMenu::drawComboBox(juce::Graphics& g, int w, int h, bool, int, int, int, int, CB& box)
{
    roundedFrame(g, box, w, h, ZuStyle::real(box, ZuStyle::corner, 0.0f), col(box, CB::outlineColourId), 0.5f);
}

juce::Font ZuCLAF_BaseNoteMenu::getComboBoxFont(CB& box)
{
    return semiBoldFont(box);
}

void ZuCLAF_BaseNoteMenu::positionComboBoxText(CB& box, juce::Label& label)
{
    place(label, {2, 0, box.getWidth() - arrowShare(box, 0.1f), box.getHeight()}, getComboBoxFont(box), centred, 0.1f);
}

// CC number menu ---------------------------------------------------------------------

void ZuCLAF_CcNumbMenu::drawComboBox(juce::Graphics& g, int w, int h, bool, int, int, int, int, CB& box)
{
    g.fillAll(bgcolor(box));
    roundedFrame(g, box, w, h, ZuStyle::real(box, ZuStyle::corner, 0.0f), col(box, CB::outlineColourId), 1.0f);
}

juce::Font ZuCLAF_CcNumbMenu::getComboBoxFont(CB& box)
{
    return semiBoldFont(box);
}

void ZuCLAF_CcNumbMenu::positionComboBoxText(CB& box, juce::Label& label)
{
    place(label, box.getLocalBounds(), getComboBoxFont(box), centred, 0.1f);
}

// Sequencer step menu ----------------------------------------------------------------

void ZuCLAF_SeqStepMenu::drawComboBox(juce::Graphics& g, int w, int h, bool, int bx, int by, int bw, int bh, CB& box)
{
    g.fillAll(col(box, CB::backgroundColourId));
    g.fillAll(ZuStyle::colour(box, ZuStyle::bglayercolor, juce::Colour(0x00ffffff)));
    squareFace(g, w, h, bx, by, bw, bh, box);
}

juce::Font ZuCLAF_SeqStepMenu::getComboBoxFont(CB& box)
{
    return seqStepFont(box);
}

void ZuCLAF_SeqStepMenu::positionComboBoxText(CB& box, juce::Label& label)
{
    place(label, {2, 0, box.getWidth() - box.proportionOfWidth(0.2f), box.getHeight()}, getComboBoxFont(box), centred,
          0.1f);
}

juce::PopupMenu::Options ZuCLAF_SeqStepMenu::getOptionsForComboBoxPopupMenu(CB& box, juce::Label& label)
{
    return comboOptions(box, label)
        .withMinimumWidth(50)
        .withStandardItemHeight((int) ((float) label.getHeight() * 1.15f));
}

// Root menu --------------------------------------------------------------------------

void ZuCLAF_RootMenu::drawComboBox(juce::Graphics& g, int w, int h, bool, int bx, int by, int bw, int bh, CB& box)
{
    g.fillAll(col(box, CB::backgroundColourId));
    squareFace(g, w, h, bx, by, bw, bh, box);
}

juce::Font ZuCLAF_RootMenu::getComboBoxFont(CB& box)
{
    return seqStepFont(box);
}

void ZuCLAF_RootMenu::positionComboBoxText(CB& box, juce::Label& label)
{
    place(label, {0, 0, box.getWidth() - box.proportionOfWidth(0.15f), box.getHeight()}, getComboBoxFont(box), centred,
          0.1f);
}

juce::PopupMenu::Options ZuCLAF_RootMenu::getOptionsForComboBoxPopupMenu(CB& box, juce::Label& label)
{
    return comboOptions(box, label).withMinimumWidth(50).withStandardItemHeight(16);
}

// Chord note menus -------------------------------------------------------------------

void ZuCLAF_ChordNoteMenu::drawComboBox(juce::Graphics& g, int w, int h, bool, int, int, int, int, CB& box)
{
    g.fillAll(col(box, CB::backgroundColourId));
    g.setColour(col(box, CB::outlineColourId));
    g.drawRoundedRectangle(1.0f, 1.0f, (float) juce::jmax(w - 2, 0), (float) juce::jmax(h - 2, 0), 2.0f, 1.0f);
}

juce::Font ZuCLAF_ChordNoteMenu::getComboBoxFont(CB& box)
{
    return faceFont("Medium", (float) box.proportionOfWidth(ZuStyle::real(box, ZuStyle::fontsize, 0.65f)),
                    juce::Font::bold);
}

void ZuCLAF_ChordNoteMenu::positionComboBoxText(CB& box, juce::Label& label)
{
    place(label, box.getLocalBounds(), getComboBoxFont(box), centred, 0.1f);
}

void ZuCLAF_ChordNoteMenu::drawLabel(juce::Graphics& g, juce::Label& label)
{
    drawText(g, label.getText(), "Medium", label.getLocalBounds().toFloat(), 0.9f,
             label.findColour(juce::Label::textColourId), centred);
}

ZuCLAF_ChordNoteMenu2::Lines ZuCLAF_ChordNoteMenu2::splitLines(const juce::String& t)
{
    switch (t.length())
    {
    case 1:
        return {{}, t, true};
    case 2:
    case 3:
        return {t.dropLastCharacters(1), t.getLastCharacters(1), false};
    case 4:
        return {t.substring(0, 2), t.getLastCharacters(2), false};
    default:
        return {};
    }
}

void ZuCLAF_ChordNoteMenu2::drawLabel(juce::Graphics& g, juce::Label& label)
{
    const auto b = label.getLocalBounds().toFloat();
    const float x = b.getX(), y = b.getY(), w = juce::jmax(b.getWidth(), 0.0f);
    const float hh = juce::jmax(b.getHeight() - 1.0f, 0.0f);
    const float half = juce::jmin(0.5f * hh, hh), ys = y + 0.5f + half;
    const juce::Rectangle<float> lower(x, ys, w, juce::jmax(half - 0.5f, 0.0f));
    const juce::Rectangle<float> upper(x, y + 1.0f, w, juce::jmax(ys - (y + 1.0f), 0.0f));
    const auto colour = label.findColour(juce::Label::textColourId);
    const auto lines = splitLines(label.getText());
    if (lines.whole)
    {
        drawText(g, lines.lower, "Medium", b, 1.0f, colour, centred);
        return;
    }
    if (lines.lower.isEmpty())
        return;
    drawText(g, lines.lower, "Medium", lower, 1.0f, colour, centred);
    drawText(g, lines.upper, "Medium", upper, 1.05f, colour, centred);
}
