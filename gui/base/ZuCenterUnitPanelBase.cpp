// SPDX-License-Identifier: GPL-3.0-or-later
// The unit frame: header buttons, layout, colours and mouse handling. The
// unit menu and the preset files are in ZuCenterUnitPanelMenu.cpp.
#include "ZuCenterUnitPanelBase.h"

#include "ZuMirabox_CenterContent.h"
#include "ZumiraboxAudioProcessorEditor.h"

#include <cmath>

namespace
{
// JUCE's conversion to the nearest integer.
int R(float v)
{
    return juce::roundToInt(v);
}

float trunc(float v)
{
    return std::trunc(v);
}

juce::Rectangle<int> nonNegative(int x, int y, int w, int h)
{
    return {x, y, juce::jmax(0, w), juce::jmax(0, h)};
}

const juce::Colour lightText{0xffcfcfcf};
const juce::Colour darkText{0xff202020};
} // namespace

ZuCenterUnitPanelBase::ZuCenterUnitPanelBase(juce::Colour colour, bool expandable)
    : withExpandButton(expandable), unitColor(colour)
{
    setUpHeaderButton(powerButton, "Power", "Unit on/off", "power", expandable ? 0.91 : 0.85, powerLookAndFeel.get());
    powerButton.onClick = [this] { onoffButtonStateChange(powerButton.getToggleState()); };

    if (withExpandButton)
    {
        setUpHeaderButton(expandButton, "Expand", "Expands the unit height", "expand", 0.7, svgButtonLookAndFeel.get());
        expandButton.onClick = [this]
        {
            expandButtonClicked();
            notifyContainer();
        };
    }
    setUpHeaderButton(minimizeButton, "", "Minimize the panel", "minimize", 0.8, svgButtonLookAndFeel.get());
    minimizeButton.onClick = [this]
    {
        colorMappingGlobalStuff();
        minimizedButtonClicked();
        notifyContainer();
    };
    setUpHeaderButton(modButton, "", "Show/hide the modulation panel", "mod", 0.85, svgButtonLookAndFeel.get());
    modButton.onClick = [this]
    {
        colorMappingGlobalStuff();
        modButtonClicked();
        notifyContainer();
    };
    setUpHeaderButton(menuButton, "Menu", "Menu", "menu", 0.85, svgButtonLookAndFeel.get());
    menuButton.setClickingTogglesState(false);
    // The same menu as a right click on the frame, for users who look for it.
    menuButton.onClick = [this] { showUnitMenu(menuButton); };

    setUpNameLabel(nameLabel, 0.85);
    setUpNameLabel(minimizedNameLabel, 0.92);
    minimizedNameLabel.getTextValue().referTo(nameLabel.getTextValue());
}

ZuCenterUnitPanelBase::~ZuCenterUnitPanelBase()
{
    powerAttachment.reset();
    presetChooser.reset();
    for (auto* button :
         std::initializer_list<juce::Button*>{&powerButton, &minimizeButton, &expandButton, &menuButton, &modButton})
        button->setLookAndFeel(nullptr);
    nameLabel.setLookAndFeel(nullptr);
    minimizedNameLabel.setLookAndFeel(nullptr);
}

juce::String ZuCenterUnitPanelBase::getModIdHead() const
{
    return "m" + juce::String(unitType + 1) + juce::String(unitIndex + 1);
}

void ZuCenterUnitPanelBase::setUpHeaderButton(juce::TextButton& button, const juce::String& text,
                                              const juce::String& tooltip, const juce::String& svgName, double scale,
                                              juce::LookAndFeel& buttonLookAndFeel)
{
    addAndMakeVisible(button);
    button.setButtonText(text);
    button.setLookAndFeel(&buttonLookAndFeel);
    button.setTooltip(tooltip);
    button.getProperties().set("svgname", svgName);
    button.getProperties().set("scale", scale);
    button.setClickingTogglesState(true);
}

void ZuCenterUnitPanelBase::setUpNameLabel(juce::Label& label, double fontSize)
{
    addAndMakeVisible(label);
    label.setLookAndFeel(&verticalLabelLookAndFeel.get());
    label.getProperties().set("fontface", "Medium");
    label.getProperties().set("fontsize", fontSize);
    label.setJustificationType(juce::Justification::centred);
    label.setEditable(true, false, false);
    label.setColour(juce::Label::backgroundWhenEditingColourId, juce::Colour(0xff000000));
    label.setColour(juce::Label::textWhenEditingColourId, juce::Colour(0xffdddddd));
    label.setInterceptsMouseClicks(false, false);
}

void ZuCenterUnitPanelBase::initialize() {}
void ZuCenterUnitPanelBase::setAttachments(juce::AudioProcessorValueTreeState&) {}
// The toggle states are the record; the unit panels react in their overrides.
void ZuCenterUnitPanelBase::minimizedButtonClicked() {}
void ZuCenterUnitPanelBase::modButtonClicked() {}

bool ZuCenterUnitPanelBase::isInterestedInDragSource(const SourceDetails&)
{
    return false;
}

void ZuCenterUnitPanelBase::itemDropped(const SourceDetails&)
{
    dragHover = false;
    repaint();
}

void ZuCenterUnitPanelBase::itemDragEnter(const SourceDetails&)
{
    dragHover = true;
    repaint();
}

void ZuCenterUnitPanelBase::itemDragExit(const SourceDetails&)
{
    dragHover = false;
    repaint();
}

bool ZuCenterUnitPanelBase::shouldDrawDragImageWhenOver()
{
    return true;
}

void ZuCenterUnitPanelBase::addLocalVtToParentVt(juce::ValueTree&) {}
void ZuCenterUnitPanelBase::updateFxStateFromVt(const juce::ValueTree&) {}
void ZuCenterUnitPanelBase::scaleParamChanged() {}
void ZuCenterUnitPanelBase::chordParamChanged() {}
void ZuCenterUnitPanelBase::getPresetFolderPath() {}
void ZuCenterUnitPanelBase::onoffButtonStateChange(bool) {}
void ZuCenterUnitPanelBase::updateDrawable() {}

juce::XmlElement ZuCenterUnitPanelBase::getXmlStateForSaveingPreset(const juce::String&)
{
    return juce::XmlElement(juce::String());
}

void ZuCenterUnitPanelBase::createParamMap() {}
void ZuCenterUnitPanelBase::expandButtonClicked() {}

ZumiraboxAudioProcessorEditor* ZuCenterUnitPanelBase::findEditor() const
{
    return findParentComponentOfClass<ZumiraboxAudioProcessorEditor>();
}

void ZuCenterUnitPanelBase::notifyContainer()
{
    if (auto* container = findParentComponentOfClass<ZuMirabox_CenterContent>())
        container->seqUnitPanelStateChanged();
}

void ZuCenterUnitPanelBase::mouseDown(const juce::MouseEvent&)
{
    if (ZuRealtimeModifiers::rightButtonDown())
        showUnitMenu(*this);
}

void ZuCenterUnitPanelBase::showUnitMenu(juce::Component& target)
{
    auto* editor = findEditor();
    if (editor == nullptr || editor->getWidth() <= 0 || editor->getHeight() <= 0)
        return;

    auto options = juce::PopupMenu::Options().withMinimumWidth(120).withStandardItemHeight(18).withMaximumNumColumns(2);
    if (&target == this)
        options = options.withTargetComponent(this).withTargetScreenArea(juce::Rectangle<int>().withPosition(
            juce::Desktop::getInstance().getMainMouseSource().getScreenPosition().roundToInt()));
    else
        options = options.withTargetComponent(&target);
    // The menu may outlive the frame (a container rebuild deletes it): the
    // answer reaches only a frame that still exists.
    juce::Component::SafePointer<ZuCenterUnitPanelBase> self(this);
    getDeleteItemMenu().showMenuAsync(options,
                                      [self](int id)
                                      {
                                          if (auto* frame = self.getComponent())
                                              frame->menuHandler(id, frame->findEditor());
                                      });
}

void ZuCenterUnitPanelBase::mouseUp(const juce::MouseEvent&)
{
    beginDragAutoRepeat(-1);
}

void ZuCenterUnitPanelBase::mouseDoubleClick(const juce::MouseEvent& e)
{
    if (e.getNumberOfClicks() >= 2)
        minimizeButton.setToggleState(!minimizeButton.getToggleState(), juce::sendNotification);
}

void ZuCenterUnitPanelBase::mouseDrag(const juce::MouseEvent&) {}

void ZuCenterUnitPanelBase::enablementChanged()
{
    repaint();
}

void ZuCenterUnitPanelBase::paint(juce::Graphics&) {}
void ZuCenterUnitPanelBase::resized() {}

void ZuCenterUnitPanelBase::resizeGlobalStuff()
{
    prepareGlobalPart();
}

void ZuCenterUnitPanelBase::placeMenuButton()
{
    const auto bounds = getLocalBounds();
    if (bounds.getWidth() <= 10)
        return;
    if (minimizeButton.getToggleState())
    {
        // The bar's buttons are one cell each, from the left; the menu takes
        // the same cell at the right end.
        const auto cell = powerButton.getBounds();
        const int pad = juce::jmax((int) std::trunc(0.01f * (float) bounds.getWidth()), 2);
        menuButton.setBounds(bounds.getRight() - pad - cell.getWidth() - 1, cell.getY(), cell.getWidth(),
                             cell.getHeight());
        return;
    }

    // A slightly flatter cell right above the modulation button; the name
    // ends just above it and may start right below the button over it, so a
    // short unit keeps as much of its name as it can.
    const auto power = powerButton.getBounds(), mod = modButton.getBounds();
    const int height = juce::jmax(0, power.getHeight() - 2);
    const int top = mod.getY() - height;
    menuButton.setBounds(power.getX(), top, power.getWidth(), height);
    auto above = minimizeButton.getBounds();
    if (withExpandButton)
        above = expandButton.getBounds();
    const int nameTop = juce::jmin(nameLabel.getY(), above.getBottom() + 1);
    const int nameBottom = juce::jmax(nameTop, top);
    nameLabel.setBounds(nameLabel.getX(), nameTop, nameLabel.getWidth(), nameBottom - nameTop);
}

void ZuCenterUnitPanelBase::prepareGlobalPart()
{
    const auto bounds = getLocalBounds();
    const int xi = bounds.getX(), yi = bounds.getY(), wi = bounds.getWidth(), hi = bounds.getHeight();
    if (wi <= 10)
        return;
    const float x = (float) xi, y = (float) yi, w = (float) wi, h = (float) hi;

    outlinePath.clear();
    outlinePath.addRoundedRectangle(0.5f, 0.5f, w - 1.0f, h - 1.0f, 2.0f);
    outlineStrokePath.clear();
    juce::PathStrokeType(0.8f).createStrokedPath(outlineStrokePath, outlinePath);

    const float S = juce::jmin(trunc(0.0155f * w), w);
    stripArea = {x, y, S, h};
    stripPath.clear();
    stripPath.addRoundedRectangle(x, y, S, h, 4.0f, 4.0f, true, false, true, false);
    outlinePath.addRectangle((float) (R(S) + R(x)), (float) R(y), 0.5f, (float) R(h));

    const bool expanded = withExpandButton && expandButton.getToggleState();
    float contentH = h;
    if (modButton.getToggleState())
    {
        const float f = expanded ? 0.333f : 0.5f;
        const float modH = juce::jmin(f * h, h);
        const int A = juce::jlimit(2, 12, (int) trunc(0.007f * h));
        modLine = {x + S, y + h - modH, w - S, 0.5f};
        modArea = nonNegative(R(x + S) + A, R(y + h - modH) + A, R(w - S) - 2 * A, R(modH) - 2 * A);
        contentH = (h - modH) - juce::jmin(1.0f, h - modH);
    }

    if (minimizeButton.getToggleState())
    {
        stripArea = {x, y, w, h};
        outlinePath.clear();
        outlinePath.addRoundedRectangle(x, y, w, h, 2.0f);
        const int pad = juce::jmax((int) trunc(0.01f * w), 2);
        const int bs = (int) trunc(1.2f * (float) R(h));
        const int gap = juce::jmax((int) trunc(0.7f * (float) bs), 2);
        const int top = R(y) + 1;
        const int bw = juce::jmax(0, bs - 2), bh = juce::jmax(0, R(h) - 2);
        powerButton.setBounds(pad + 1, top, bw, bh);
        minimizeButton.setBounds(pad + bs + gap + 1, top, bw, bh);
        modButton.setBounds(pad + 2 * bs + 2 * gap + 1, top, bw, bh);
        expandButton.setBounds({});
        const int labelW = juce::jmax(0, (int) trunc(0.8f * w) - (3 * bs + pad + 3 * gap));
        const int labelH = R(h);
        minimizedNameLabel.setBounds(xi + wi / 2 - labelW / 2, yi + hi / 2 - labelH / 2, labelW, labelH);
        return;
    }

    const int stripW = R(w - S);
    const int N = juce::jmin((int) trunc((float) stripW * 0.1562f), stripW);
    nameArea = nonNegative(R(x + S), R(y), N, R(contentH));
    contentArea = nonNegative(R(x + S) + N, R(y), stripW - N, R(contentH));
    const float dividerW = withExpandButton ? 0.5f : 1.0f;
    nameDividerPath.clear();
    nameDividerPath.addRectangle((float) nameArea.getRight() - dividerW, (float) nameArea.getY(), dividerW,
                                 (float) nameArea.getHeight());

    if (withExpandButton)
    {
        const int p = juce::jmax((int) trunc(0.02f * h), 1);
        const int b = (int) trunc(0.93f * (float) R(S));
        const int m = (int) trunc(0.07f * (float) b) > 0 ? 1 : 0;
        const int s = R(S) - 2 * m;
        const int c = b - 2 * m;
        const int x0 = R(x) + m;
        const int q = c + 2 + p;
        const int k = expanded ? (int) trunc(1.1f * (float) c) : c;
        const int B = expanded ? yi + hi - p - k - 2 : yi + hi - p - c - 1;
        const int g = expanded ? juce::jlimit(1, juce::jmax(1, c), (int) trunc(0.1f * (float) c)) : juce::jmin(c, 2);

        powerButton.setBounds(nonNegative(x0 + 1, p + 1, s - 2, c - 2));
        minimizeButton.setBounds(nonNegative(x0 + 1, q + 1, s - 2, c - 2));
        expandButton.setBounds(nonNegative(x0, q + c + g, s, c - g));
        modButton.setBounds(nonNegative(x0 + 1, B + 1, s - 2, k - 2));

        const int t = juce::jmin(q + 2 * c + 1, B - 2);
        const int u = (B - 2) - (q + 2 * c + 1);
        nameLabel.setBounds(expanded ? nonNegative(x0, t, s, u) : nonNegative(x0 + 2, t + 2, s - 4, u - 4));
        return;
    }

    const int p = (int) trunc(0.023f * h);
    const int m = (int) trunc(0.1f * (float) R(S)) > 0 ? 1 : 0;
    const int s = R(S) - 2 * m;
    const int x0 = R(x) + m;
    const int v = juce::jmax((int) trunc(0.03f * h), 2);
    const int side = juce::jmax(0, s - 2);
    powerButton.setBounds(x0 + 1, p + 1, side, side);
    minimizeButton.setBounds(x0 + 1, s + p + v + 1, side, side);
    modButton.setBounds(x0 + 1, yi + hi - p - s - 1, side, side);
    const int labelTop = 2 * s + p + v + 3;
    const int labelBottom = yi + hi - p - s - 8;
    nameLabel.setBounds(nonNegative(x0, juce::jmin(labelTop, labelBottom), s, labelBottom - labelTop));
}

void ZuCenterUnitPanelBase::colorMappingGlobalStuff()
{
    const bool minimised = minimizeButton.getToggleState();
    nameLabel.setVisible(!minimised);
    minimizedNameLabel.setVisible(minimised);

    const auto header = minimised ? minimizedHeaderColor : headerColor;
    const auto colourButton = [header](juce::TextButton& button, juce::Colour textOff, juce::Colour textOn)
    {
        button.setColour(juce::TextButton::buttonColourId, header);
        button.setColour(juce::TextButton::buttonOnColourId, header);
        button.setColour(juce::TextButton::textColourOffId, textOff);
        button.setColour(juce::TextButton::textColourOnId, textOn);
    };
    colourButton(menuButton, lightText, header);
    colourButton(modButton, darkText, lightText);
    if (withExpandButton)
        colourButton(expandButton, darkText, lightText);
    colourButton(minimizeButton, lightText, lightText);
    colourButton(powerButton, darkText, lightText);

    for (auto* label : {&nameLabel, &minimizedNameLabel})
    {
        label->getProperties().set("bgcolor", header.toString());
        label->setColour(juce::Label::backgroundColourId, header);
        label->setColour(juce::Label::textColourId, lightText);
    }
    // The bar of a minimised unit writes its name in the unit area's colour.
    minimizedNameLabel.setColour(juce::Label::textColourId, colorTheme->unitAreaBgColor[0]);
}

void ZuCenterUnitPanelBase::setPowerButtonAttach(juce::AudioProcessorValueTreeState& state,
                                                 const juce::String& parameterId)
{
    powerAttachment.reset();
    powerAttachment =
        std::make_unique<juce::AudioProcessorValueTreeState::ButtonAttachment>(state, parameterId, powerButton);
    powerParamId = parameterId;
}

void ZuCenterUnitPanelBase::dDFocusPaint(juce::Graphics& g)
{
    if (!dragHover)
        return;
    const auto b = getLocalBounds().toFloat();
    g.setColour(juce::Colour(0xffe4dd43).brighter(0.1f).withAlpha(0.9f));
    g.drawLine(b.getX(), b.getY(), b.getRight(), b.getY(), juce::jmax(0.03f * b.getHeight(), 2.0f));
}

bool ZuCenterUnitPanelBase::isMousePosForDragDrop(juce::Point<int> p)
{
    const float height = juce::jmax(stripArea.getHeight() - (float) menuButton.getHeight(), 0.0f);
    return (float) p.x >= stripArea.getX() && (float) p.x < stripArea.getRight() && (float) p.y >= stripArea.getY() &&
           (float) p.y < stripArea.getY() + height;
}

void ZuCenterUnitPanelBase::loadGlobalState(const juce::ValueTree& tree)
{
    if (tree.hasProperty(fxHarmOnOffKey))
        powerButton.setToggleState((int) tree.getProperty(fxHarmOnOffKey) != 0, juce::sendNotification);
    if (tree.hasProperty(minimizedKey))
        minimizeButton.setToggleState((int) tree.getProperty(minimizedKey) != 0, juce::sendNotification);
}

namespace
{
const char* const noteLengths[] = {"1/128", "1/64", "1/32", "1/16", "1/8", "1/4", "1/2", "1/1", "2/1", "4/1", "8/1"};

void noteLengthText(juce::String& out, int clockType, double value, double scale, int count)
{
    // A value outside the table (NaN included) gives no base text.
    const double scaled = std::floor(value * scale);
    const int index = (scaled >= 0.0 && scaled < (double) count) ? (int) scaled : -1;
    out = (index >= 0 && index < count) ? juce::String(noteLengths[index]) : juce::String();
    if (clockType == 1)
        out << "T";
    else if (clockType == 2)
        out << "D";
}
} // namespace

void ZuCenterUnitPanelBase::getSyncedRateStr(juce::String& out, int clockType, double value)
{
    noteLengthText(out, clockType, value, 10.9999, 11);
}

void ZuCenterUnitPanelBase::getSyncedDelayTimeStr(juce::String& out, int clockType, double value)
{
    noteLengthText(out, clockType, value, 7.9999, 8);
}

void ZuCenterUnitPanelBase::openMenu(juce::Button*) {}
void ZuCenterUnitPanelBase::PanelDragAndDrop(const juce::MouseEvent&) {}
