// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuCLAF_Base.h"
#include "ZuCLAF_IconButtons.h"
#include "ZuCLAF_Labels.h"
#include "ZuCLAF_Switches.h"
#include "ZuGuiBase.h"
#include "ZuPresetFiles.h"
#include "ZuSmallWidgets.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <memory>

class ZumiraboxAudioProcessorEditor;

// The frame that the five kinds of sequencer unit panel share: the header
// strip at the left edge (power, minimise, expand, modulation-panel buttons
// and the vertical name), the one-line bar while minimised, the name, content
// and modulation areas the unit panel fills, the background paths it hands to
// its background, the header colours, and the right-click unit menu with the
// unit preset files.
//
// A unit preset file is the processor's "Preset" tree of the unit
// ("mainparams", "snapmain", "modmain") as XML, under the kind's extension.
// Files are written through a temporary file and renamed, so an old file
// survives a failed write; a file becomes current only once it loaded.
//
// Message thread only.
class ZuCenterUnitPanelBase : public ZuGuiBase, public juce::DragAndDropContainer, public juce::DragAndDropTarget
{
public:
    ZuCenterUnitPanelBase(juce::Colour unitColor, bool withExpandButton);
    ~ZuCenterUnitPanelBase() override;

    // The frame's hooks, in this order. The frame does nothing unless said.
    virtual void initialize();
    virtual void setAttachments(juce::AudioProcessorValueTreeState& state);
    virtual void minimizedButtonClicked();
    virtual void modButtonClicked();
    // Declines every drag, so the drop highlight never shows.
    bool isInterestedInDragSource(const SourceDetails& details) override;
    void itemDropped(const SourceDetails& details) override;
    void itemDragEnter(const SourceDetails& details) override;
    void itemDragExit(const SourceDetails& details) override;
    bool shouldDrawDragImageWhenOver() override;
    virtual void addLocalVtToParentVt(juce::ValueTree& tree);
    virtual void updateFxStateFromVt(const juce::ValueTree& tree);
    virtual void scaleParamChanged();
    virtual void chordParamChanged();
    // The unit panels copy their kind's preset folder into presetFolder here.
    virtual void getPresetFolderPath();
    virtual void onoffButtonStateChange(bool on);
    // The unit panels hand the frame's paths and colours to their background here.
    virtual void updateDrawable();
    virtual juce::XmlElement getXmlStateForSaveingPreset(const juce::String& name);
    virtual void createParamMap();
    virtual void expandButtonClicked();

    void mouseDown(const juce::MouseEvent& e) override;
    void mouseUp(const juce::MouseEvent& e) override;
    void mouseDoubleClick(const juce::MouseEvent& e) override;
    void mouseDrag(const juce::MouseEvent& e) override;
    void enablementChanged() override;
    void paint(juce::Graphics& g) override;
    void resized() override;
    // 0 overwrites the current file, 1 saves under a new name.
    void calloutBoxButtonIsClicked(int choice) override;

    // The unit modulator head "m" + kind + unit, each counted from 1: the
    // characters 2 to 4 of every identifier of the unit.
    juce::String getModIdHead() const;

    // The header layout; the unit panels call it from their resized().
    void resizeGlobalStuff();
    void prepareGlobalPart();
    // Where every unit panel puts the menu button, called right after
    // resizeGlobalStuff() so that all kinds have it in the same place: in
    // the strip one cell above the modulation button (the name ends a cell
    // earlier), or at the right end of the minimised bar.
    void placeMenuButton();
    // Opens the unit menu pointing at target, a component of this frame, or
    // at the mouse when target is the frame itself.
    void showUnitMenu(juce::Component& target);
    void colorMappingGlobalStuff();
    // Binds the power button to a host parameter, replacing the previous binding.
    void setPowerButtonAttach(juce::AudioProcessorValueTreeState& state, const juce::String& parameterId);
    // The drop highlight along the top edge; the whole of the unit panels' paint.
    void dDFocusPaint(juce::Graphics& g);
    bool isMousePosForDragDrop(juce::Point<int> p);
    void loadGlobalState(const juce::ValueTree& tree);
    void getSyncedRateStr(juce::String& out, int clockType, double value);
    void getSyncedDelayTimeStr(juce::String& out, int clockType, double value);
    void openMenu(juce::Button* button);
    void PanelDragAndDrop(const juce::MouseEvent& e);

    // The unit menu and the unit preset files.
    enum MenuId
    {
        saveId = 1000,
        saveAsId = 1001,
        openFolderId = zu::presetfiles::openFolderItemId,
        setFolderId = zu::presetfiles::setFolderItemId,
        initializeId = zu::presetfiles::initializeItemId,
        deleteId = 1005,
        minimizeId = 1008,
        modPanelId = 1009,
        expandId = 1010,
        firstFileId = 1011
    };
    juce::PopupMenu getDeleteItemMenu();
    void menuHandler(int id, juce::Component* editorComponent);
    void addFilesToMenu(juce::PopupMenu& menu, juce::String folder);
    void savePreset(int id);
    void presetLoadHandler(int index);
    void presetSelectArrow(bool forward, juce::String& current, juce::String& refresh);
    juce::PopupMenu getMyMenu(bool);
    void handleMaenuItem(int id);

    // What runs once the user chose in a chooser (an empty file: cancelled).
    void saveAsFileChosen(const juce::File& chosen);
    void presetFolderChosen(const juce::File& chosen);

    // Shared look-and-feels: declared before the widgets they draw.
    ZuShared<ZuCLAF_SvgButton> svgButtonLookAndFeel;
    ZuShared<ZuCLAF_VerticalLabel> verticalLabelLookAndFeel;
    ZuShared<ZuCLAF_NumbPwrButton> powerLookAndFeel;

    juce::Rectangle<int> nameArea, contentArea;
    juce::Rectangle<float> stripArea;
    juce::Rectangle<int> modArea;
    juce::Rectangle<float> modLine;
    juce::Path stripPath, outlinePath, nameDividerPath, outlineStrokePath;
    MappableButton powerButton;
    ZuShared<ZuCLAF_Base> commonLookAndFeel;
    juce::String powerParamId;
    juce::TextButton minimizeButton, expandButton, menuButton, modButton;
    juce::Label nameLabel;
    juce::Label minimizedNameLabel;
    int unitIndex = 0;
    int unitType = -1;
    int unitId = 1;
    bool dragHover = false;
    int currentSnapshot = 0;
    const bool withExpandButton;
    std::unique_ptr<juce::AudioProcessorValueTreeState::ButtonAttachment> powerAttachment;
    juce::StringArray presetFiles;
    juce::String presetFolder, presetExtension, currentPresetPath;
    const juce::String fxHarmOnOffKey{"fx_harm_onoff"}, minimizedKey{"minimized"};
    juce::Colour unitColor;
    juce::Colour minimizedHeaderColor{0x00000000}, headerColor{0x00000000};
    const std::array<juce::String, 5> presetExtensions{".pchsq", ".prmsq", ".ccsq", ".octsq", ".ccrk"};
    std::unique_ptr<juce::FileChooser> presetChooser;
    // A save-as name that the added extension turned into an existing file,
    // waiting for the overwrite answer.
    juce::String pendingOverwritePath;

private:
    ZumiraboxAudioProcessorEditor* findEditor() const;
    void notifyContainer();
    void setUpHeaderButton(juce::TextButton& button, const juce::String& text, const juce::String& tooltip,
                           const juce::String& svgName, double scale, juce::LookAndFeel& buttonLookAndFeel);
    void setUpNameLabel(juce::Label& label, double fontSize);
    // Writes the unit's preset tree to file; false when nothing was written.
    bool writeUnitPreset(const juce::File& file);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZuCenterUnitPanelBase)
};
