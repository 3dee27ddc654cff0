// SPDX-License-Identifier: GPL-3.0-or-later
#include "NoteUnit.h"

#include "ChordPoolPanel.h"
#include "SEQ1ChordModeEditPanel.h"
#include "ZuCallOut.h"
#include "ZuConvert.h"
#include "ZuParamAttacher.h"
#include "ZuStyleProps.h"
#include "ZuToolsCommon.h"
#include "ZumiraboxAudioProcessorEditor.h"

namespace
{
const juce::Colour headerCream{0xfff5edd1};

int trunc(float v)
{
    return zu::toIntSaturating((double) v);
}

// A chord set attribute as an item index (0 when missing or not a number).
int attributeIndex(const juce::ValueTree& tree, const char* name)
{
    return zu::parseLeadingInt(tree[juce::Identifier(name)].toString());
}

// The stored id of a box: what the bound property holds, whether or not the
// box found an item for it.
int storedId(juce::ComboBox& box)
{
    const auto v = box.getSelectedIdAsValue().getValue();
    return v.isDouble() ? zu::toIntSaturating((double) v) : (int) v;
}

void styleUnitBox(juce::Component& owner, juce::ComboBox& box, juce::LookAndFeel& lookAndFeel, float fontSize)
{
    owner.addAndMakeVisible(box);
    box.setLookAndFeel(&lookAndFeel);
    zu::tools::noFocus(box);
    box.setEditableText(false);
    box.setJustificationType(juce::Justification::centredLeft);
    box.setScrollWheelEnabled(true);
    ZuStyle::setReal(box, ZuStyle::fontsize, fontSize);
}
} // namespace

// ---------------------------------------------------------------------------

NoteUnitNormPanel::NoteUnitNormPanel()
{
    panelColor = colorTheme->chordBgColor;
    for (auto* label : {&typeLabel, &rootLabel, &invLabel})
    {
        addAndMakeVisible(*label);
        label->setLookAndFeel(&labelLook.get());
        label->setJustificationType(juce::Justification::centred);
        label->getProperties().set(ZuStyle::fontface, "Medium");
        ZuStyle::setReal(*label, ZuStyle::fontsize, 1.05f);
        label->setInterceptsMouseClicks(false, false);
        zu::tools::noFocus(*label);
    }
    typeLabel.setText("Type", juce::dontSendNotification);
    rootLabel.setText("Root", juce::dontSendNotification);
    invLabel.setText("Inv", juce::dontSendNotification);

    for (auto* box : {&rootBox, &typeBox, &invBox})
        styleUnitBox(*this, *box, boxLook.get(), 0.72f);
    ZuStyle::setReal(rootBox, ZuStyle::arrowsize, 0.3f);

    for (int p = 0; p < zu::tools::numPitchClasses; ++p)
        rootBox.addItem(zu::tools::noteName(p), p + 1);
    for (int t = 0; t < zu::tools::numChordTypes; ++t)
        typeBox.addItem(tables->getChordNameStr(t), t + 1);
    for (int id = zu::tools::numChordTypes + 1; id <= numTypeItems; ++id)
        typeBox.addItem("--", id);
    for (int id = zu::tools::numChordTypes + 1; id <= numTypeItems; ++id)
        typeBox.setItemEnabled(id, false);
    invBox.addItem("Root", 1);
    invBox.addItem("1st", 2);
    invBox.addItem("2nd", 3);
    invBox.addItem("3rd", 4);
    invBox.addItem("---", 5);
    invBox.setItemEnabled(5, false);
    typeBox.addListener(this);
    colorMapping();
}

NoteUnitNormPanel::~NoteUnitNormPanel()
{
    typeBox.removeListener(this);
}

void NoteUnitNormPanel::setAttachments(juce::ValueTree tree, int index)
{
    const int n = index + 1;
    typeId = "p9_chord_type" + juce::String(n);
    rootId = "p9_chord_root" + juce::String(n);
    invId = "p9_chord_inv" + juce::String(n);
    ZuParamAttacher::attachToComboBox(tree, typeId, 1, typeBox);
    ZuParamAttacher::attachToComboBox(tree, rootId, n, rootBox);
    ZuParamAttacher::attachToComboBox(tree, invId, 1, invBox);
}

void NoteUnitNormPanel::comboBoxChanged(juce::ComboBox* box)
{
    // Only ids 1..20 name chord types: the "--" places and any other stored
    // id leave the box empty and store 0 ("Maj" to the chord model).
    if (box == &typeBox)
    {
        const int id = storedId(typeBox);
        if (id != 0 && (id < 1 || id > zu::tools::numChordTypes))
            typeBox.setSelectedId(0, juce::sendNotification);
    }
}

void NoteUnitNormPanel::getCurState(juce::ValueTree chordTree)
{
    chordTree.setProperty("chord_type", typeBox.getSelectedItemIndex(), nullptr);
    chordTree.setProperty("chord_root", rootBox.getSelectedItemIndex(), nullptr);
    chordTree.setProperty("chord_inv", invBox.getSelectedItemIndex(), nullptr);
}

void NoteUnitNormPanel::updateStateFromVt(juce::ValueTree chordTree)
{
    const int type = attributeIndex(chordTree, "chord_type");
    // The "--" places after the twenty types are no chord types.
    typeBox.setSelectedItemIndex(type < zu::tools::numChordTypes ? type : -1, juce::sendNotification);
    rootBox.setSelectedItemIndex(attributeIndex(chordTree, "chord_root"), juce::sendNotification);
    invBox.setSelectedItemIndex(attributeIndex(chordTree, "chord_inv"), juce::sendNotification);
}

void NoteUnitNormPanel::initialize()
{
    for (auto* box : {&typeBox, &rootBox, &invBox})
        box->setSelectedItemIndex(0, juce::sendNotification);
}

void NoteUnitNormPanel::setChordFromId(int id)
{
    typeBox.setSelectedId(id, juce::sendNotification);
}

void NoteUnitNormPanel::paint(juce::Graphics& g)
{
    g.fillAll(panelColor);
}

void NoteUnitNormPanel::resized()
{
    const int iw = juce::jmax(getWidth() - 2, 0);
    const int ih = juce::jmax(getHeight() - 2, 0);
    const int R = juce::jmin(trunc(0.281f * (float) ih), ih);
    int remaining = ih;
    int y = 1;
    int firstLabel = 0;
    const std::array<std::pair<juce::Label*, juce::ComboBox*>, 3> rows{
        {{&typeLabel, &typeBox}, {&rootLabel, &rootBox}, {&invLabel, &invBox}}};
    for (size_t r = 0; r < rows.size(); ++r)
    {
        if (r > 0)
        {
            const int gap = juce::jmin(trunc(0.5f * (float) firstLabel), remaining);
            y += gap;
            remaining -= gap;
        }
        const int rowH = juce::jmin(R, remaining);
        const int L = juce::jmin(trunc(0.43f * (float) rowH), rowH);
        const int gap = juce::jmin(1, rowH - L);
        if (r == 0)
            firstLabel = L;
        rows[r].first->setBounds(1, y, iw, L);
        rows[r].second->setBounds(1, y + L + gap, iw, rowH - L - gap);
        y += rowH;
        remaining -= rowH;
    }
}

void NoteUnitNormPanel::colorMapping()
{
    panelColor = colorTheme->chordBgColor;
    const auto text = colorTheme->chordDarkColor.darker(0.6f);
    for (auto* label : {&typeLabel, &rootLabel, &invLabel})
    {
        ZuStyle::setColour(*label, ZuStyle::bgcolor, panelColor);
        label->setColour(juce::Label::backgroundColourId, panelColor);
        label->setColour(juce::Label::textColourId, text);
    }
    for (auto* box : {&rootBox, &typeBox, &invBox})
    {
        ZuStyle::setColour(*box, ZuStyle::bgcolor, panelColor);
        box->setColour(juce::ComboBox::backgroundColourId, colorTheme->chordDarkColor);
        box->setColour(juce::ComboBox::textColourId, colorTheme->chordLightColor);
        box->setColour(juce::ComboBox::outlineColourId, colorTheme->chordDarkColor);
        box->setColour(juce::ComboBox::arrowColourId, colorTheme->chordLightColor.withAlpha(0.6f));
    }
    repaint();
}

// ---------------------------------------------------------------------------

NoteUnitCumstomPanel::NoteUnitCumstomPanel()
{
    panelColor = colorTheme->chordBgColor;
    const int d = zu::tools::octaveNumberOffset();
    for (auto& box : noteBoxes)
    {
        styleUnitBox(*this, box, noteLook.get(), 0.7f);
        box.setName("NoteMenu");
        box.setTooltip("Sets the chord note");
        box.colour = colorTheme->chordLightColor;
        zu::tools::addNoteItems(box, d);
    }
    addAndMakeVisible(editButton);
    editButton.setLookAndFeel(&editLook.get());
    zu::tools::noFocus(editButton);
    editButton.setButtonText("Edit");
    editButton.onClick = [this] { editButtonClicked(); };
    colorMapping();
}

NoteUnitCumstomPanel::~NoteUnitCumstomPanel() = default;

void NoteUnitCumstomPanel::setAttachments(juce::ValueTree tree, int index)
{
    unitIndex = index;
    const juce::String stem = "p9_chord" + juce::String(index + 1) + "_cn";
    for (int k = 0; k < numNotes; ++k)
        ZuParamAttacher::attachToComboBox(tree, stem + juce::String(k + 1), 1, noteBoxes[(size_t) k]);
}

void NoteUnitCumstomPanel::getCurState(juce::ValueTree chordTree)
{
    for (int k = 0; k < numNotes; ++k)
        chordTree.setProperty("cn" + juce::String(k + 1), noteBoxes[(size_t) k].getSelectedItemIndex(), nullptr);
}

void NoteUnitCumstomPanel::updateStateFromVt(juce::ValueTree chordTree)
{
    for (int k = 0; k < numNotes; ++k)
        noteBoxes[(size_t) k].setSelectedItemIndex(
            zu::parseLeadingInt(chordTree["cn" + juce::String(k + 1)].toString()), juce::sendNotification);
}

void NoteUnitCumstomPanel::initialize()
{
    for (auto& box : noteBoxes)
        box.setSelectedItemIndex(0, juce::sendNotification);
}

void NoteUnitCumstomPanel::editButtonClicked()
{
    editColour = colorTheme->chordBgColor.brighter(0.3f);
    auto* editor = zu::tools::editorOf(*this);
    if (editor == nullptr)
        return;

    std::array<juce::Value, numNotes> notes;
    for (int k = 0; k < numNotes; ++k)
        notes[(size_t) k].referTo(noteBoxes[(size_t) k].getSelectedIdAsValue());
    auto panel =
        std::make_unique<SEQ1ChordModeEditPanel>(*this, notes[0], notes[1], notes[2], notes[3], notes[4], editColour);
    panel->unitIndex = unitIndex;
    panel->setSize(editor->getWidth(), trunc(0.4f * (float) editor->getHeight()));

    editCallOut.launch(std::move(panel), editButton, *editor, themeColour(colorTheme->popupBgColor),
                       editColour.darker(0.5f));
}

void NoteUnitCumstomPanel::componentBeingDeleted(juce::Component& component)
{
    component.removeComponentListener(this);
    editPanelClosed();
}

void NoteUnitCumstomPanel::editPanelClosed()
{
    zu::tools::setChordNoteTarget(*this, -1);
}

void NoteUnitCumstomPanel::paint(juce::Graphics& g)
{
    g.fillAll(panelColor);
}

void NoteUnitCumstomPanel::resized()
{
    const int w = juce::jmax(getWidth() - 4, 0);
    const int ih = juce::jmax(getHeight() - 2, 0);
    const int t = juce::jmin(juce::jlimit(1, 8, trunc(0.04f * (float) ih)), ih);
    const int avail = ih - t;
    const int R = trunc(0.168f * (float) avail);
    int remaining = avail;
    int top = 1 + avail;
    for (int k = 0; k < numNotes; ++k)
    {
        if (k > 0)
        {
            const int gap = juce::jmin(1, remaining);
            top -= gap;
            remaining -= gap;
        }
        const int h = juce::jmin(R, remaining);
        top -= h;
        remaining -= h;
        noteBoxes[(size_t) k].setBounds(2, top, w, h);
    }
    editButton.setBounds(2, 1, w, remaining - juce::jmin(juce::jmax(trunc(0.25f * (float) remaining), 1), remaining));
}

void NoteUnitCumstomPanel::colorMapping()
{
    panelColor = colorTheme->chordBgColor;
    for (auto& box : noteBoxes)
    {
        ZuStyle::setColour(box, ZuStyle::bgcolor, panelColor);
        box.setColour(juce::ComboBox::backgroundColourId, colorTheme->chordDarkColor);
        box.setColour(juce::ComboBox::textColourId, colorTheme->chordLightColor);
        box.setColour(juce::ComboBox::outlineColourId, colorTheme->chordDarkColor);
    }
    ZuStyle::setColour(editButton, ZuStyle::bgcolor, panelColor);
    editButton.setColour(juce::TextButton::buttonColourId, colorTheme->chordDarkColor);
    editButton.setColour(juce::TextButton::buttonOnColourId, colorTheme->chordLightColor);
    editButton.setColour(juce::TextButton::textColourOffId, colorTheme->chordLightColor);
    editButton.setColour(juce::TextButton::textColourOnId, colorTheme->chordDarkColor);
    repaint();
}

// ---------------------------------------------------------------------------

NoteUnit::NoteUnit()
{
    panelColor = colorTheme->chordBgColor;
    for (auto* d : {&headerFill, &number, &bottomLine, &headerOutline})
    {
        addAndMakeVisible(*d);
        d->setInterceptsMouseClicks(false, false);
    }
    addAndMakeVisible(normPanel);
    addAndMakeVisible(customPanel);
    addAndMakeVisible(customButton);
    customButton.setLookAndFeel(&buttonLook.get());
    zu::tools::noFocus(customButton);
    customButton.setButtonText("Custom");
    customButton.setClickingTogglesState(true);
    ZuStyle::setReal(customButton, ZuStyle::fontsize, 0.8f);
    ZuStyle::setColour(customButton, ZuStyle::outlinecolor, juce::Colour(0xff505050));
    customButton.onClick = [this] { customButtonClicked(); };
    colorMapping();
}

NoteUnit::~NoteUnit()
{
    customButton.getToggleStateValue().removeListener(this);
}

void NoteUnit::setUnitIndexAndNoteStr(int index, juce::String name, bool white)
{
    unitIndex = index;
    noteName = name;
    whiteKey = white;
    juce::GlyphArrangement glyphs;
    glyphs.addFittedText(ZuCLAF_BaseBase::faceFont("Numb3", 63.0f, juce::Font::bold), juce::String(index + 1), 0.0f,
                         0.0f, 100.0f, 60.0f, juce::Justification::centred, 1, 0.5f);
    numberOutline.clear();
    glyphs.createPath(numberOutline);
    colorMapping();
    updateDrawpath();
}

void NoteUnit::setAttachments(juce::ValueTree paramTree)
{
    normPanel.setAttachments(paramTree, unitIndex);
    customPanel.setAttachments(paramTree, unitIndex);
    ZuParamAttacher::attachToButton(paramTree, "p9_chord_custom" + juce::String(unitIndex + 1), false, customButton);
    customButton.getToggleStateValue().addListener(this);
    customButtonClicked();
}

void NoteUnit::valueChanged(juce::Value&)
{
    customButtonClicked();
}

void NoteUnit::customButtonClicked()
{
    const bool custom = customButton.getToggleState();
    normPanel.setVisible(!custom);
    customPanel.setVisible(custom);
}

void NoteUnit::getCurState(juce::ValueTree chordTree)
{
    normPanel.getCurState(chordTree);
    customPanel.getCurState(chordTree);
    chordTree.setProperty("iscustom", customButton.getToggleState() ? 1 : 0, nullptr);
}

void NoteUnit::updateStateFromVt(juce::ValueTree chordTree)
{
    customButton.setToggleState(attributeIndex(chordTree, "iscustom") == 1, juce::sendNotification);
    normPanel.updateStateFromVt(chordTree);
    customPanel.updateStateFromVt(chordTree);
}

void NoteUnit::initialize()
{
    normPanel.initialize();
    customPanel.initialize();
    customButton.setToggleState(false, juce::sendNotification);
}

bool NoteUnit::isInterestedInDragSource(const SourceDetails& details)
{
    return details.description.toString() == ChordItem::dragDescription;
}

void NoteUnit::itemDropped(const SourceDetails& details)
{
    if (details.sourceComponent == nullptr)
        return;
    const auto id = zu::parseLeadingInt(
        details.sourceComponent->getProperties().getWithDefault(ChordItem::indexProperty, -1).toString());
    if (id >= 1 && id <= zu::tools::numChordTypes)
        normPanel.setChordFromId(id);
}

void NoteUnit::paint(juce::Graphics& g)
{
    g.fillAll(panelColor);
}

void NoteUnit::resized()
{
    const int iw = juce::jmax(getWidth() - 2, 0);
    const int ih = juce::jmax(getHeight() - 2, 0);
    const int m = juce::jmin(juce::jlimit(1, 8, trunc(0.01f * (float) ih)), ih);
    const int hh = juce::jmin(trunc(0.12f * (float) (ih - m)), ih - m);
    const int g = juce::jmin(trunc(0.1f * (float) hh), ih - m - hh);
    const int r = ih - m - hh - g;
    const int p = juce::jlimit(1, 10, trunc(0.06f * (float) r));
    const int b = juce::jmax(r - 2 * p, 0);
    const int panelY = 1 + m + hh + p;
    const int ph = juce::jmin(trunc(0.86f * (float) b), b);
    normPanel.setBounds(2, panelY, juce::jmax(iw - 2, 0), ph);
    customPanel.setBounds(2, panelY, juce::jmax(iw - 2, 0), ph);
    const int q = juce::jmin(trunc(0.21f * (float) (b - ph)), b - ph);
    customButton.setBounds(2, panelY + ph + q, juce::jmax(iw - 2, 0), b - ph - q);

    headerArea = {1.0f, (float) (1 + m), (float) iw, (float) hh};
    bottomLineArea = {1.0f, (float) (ih + 1 - g) - 0.5f, (float) iw, 1.0f};
    updateDrawpath();
}

void NoteUnit::updateDrawpath()
{
    juce::Path header;
    header.addRoundedRectangle(headerArea, 2.0f);
    headerFill.setPath(header);
    juce::Path outline;
    juce::PathStrokeType(1.0f).createStrokedPath(outline, header);
    headerOutline.setPath(outline);

    juce::Path text(numberOutline);
    if (!text.isEmpty())
    {
        const auto hh = headerArea.getHeight();
        text.applyTransform(text.getTransformToScaleToFit(1.0f, headerArea.getY() + 0.2f * hh, headerArea.getWidth(),
                                                          juce::jmax(hh - 0.4f * hh, 0.0f), true));
    }
    number.setPath(text);

    juce::Path line;
    line.addRectangle(bottomLineArea);
    bottomLine.setPath(line);
}

void NoteUnit::colorMapping()
{
    panelColor = colorTheme->chordBgColor;
    const auto dark = colorTheme->chordDarkColor.darker(0.7f);
    const bool even = unitIndex % 2 == 0;
    headerFill.setFill(even ? headerCream : dark);
    number.setFill(even ? dark : headerCream);
    headerOutline.setFill(colorTheme->chordDarkColor);
    bottomLine.setFill(colorTheme->chordDarkColor);

    ZuStyle::setColour(customButton, ZuStyle::bgcolor, panelColor);
    customButton.setColour(juce::TextButton::buttonOnColourId, colorTheme->chordLightColor);
    customButton.setColour(juce::TextButton::buttonColourId, colorTheme->chordDarkColor.darker(0.5f));
    customButton.setColour(juce::TextButton::textColourOffId, colorTheme->chordLightColor.withAlpha(0.7f));
    customButton.setColour(juce::TextButton::textColourOnId, colorTheme->chordDarkColor.darker(0.7f));
    normPanel.setSkinMode(skinMode);
    customPanel.setSkinMode(skinMode);
    repaint();
}
