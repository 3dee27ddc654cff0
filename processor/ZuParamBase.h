// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ZuKern_ParamProfile.h"
#include "ZuUnits.h"

#include <juce_dsp/juce_dsp.h>

#include <array>
#include <unordered_map>

// The parameter and state base of the processor: the host parameter profile,
// the value-tree parameter state with the 100 host parameters, the three
// plug-in trees ("maintree", "param", "snapmain") and the tables that address
// units and their host parameters.
class ZuParamBase : public juce::MultiTimer,
                    public juce::AudioProcessorValueTreeState::Listener,
                    public juce::ValueTree::Listener
{
public:
    static constexpr int numKinds = zu::units::numKinds;
    static constexpr int numUnits = zu::units::numUnits;
    static constexpr int numSeqUnits = zu::units::numSequencers;

    explicit ZuParamBase(juce::AudioProcessor& processor);
    ~ZuParamBase() override;

    void timerCallback(int timerId) override;
    virtual void initUnitParams(int kindIndex, int unitIndex);

    // Host parameter layout (one group "global", 100 float parameters).
    juce::AudioProcessorValueTreeState::ParameterLayout createParameterLayout();
    void makeMyParamState();

    // Tree construction.
    void preparePlugin();
    void createParamTree();
    // The "param" tree a new instance starts with, built once per process;
    // read only.
    static const juce::ValueTree& layoutParamTree();

    // Host parameters by index (0..99).
    void getValueFromValueTree(float& value, int index);
    void setValueToValueTree(int index, float plainValue);
    void getRawValueFromValueTree(float& value, int index);
    float getParamInitialValue(int index);

    void setUiStateToValueTree(juce::String name, int value);
    void initializeAllParamValues();
    static void syncValueTreeNotifyListeners(const juce::ValueTree& source, juce::ValueTree& destination);
    void initModUnit(juce::ValueTree& unitModTree, int kindIndex, int unitIndex);
    static double getVersionFromString(const juce::String& version);

    // Unit snapshots in the trees (message thread).
    void updateSeqSnapVt(int kindIndex, int unitIndex, int snapshot);
    void loadSeqSnapVt(int kindIndex, int unitIndex, int snapshot);
    void copyPasteVtBtwSeqUnits(int srcIndex, int dstIndex, juce::ValueTree& source, juce::ValueTree& destination,
                                juce::String prefix);

    // The default property set of one snapshot of the single sequencer,
    // written into tree (properties added or overwritten, no undo): the
    // sequencer's own unit keys, or the "c_psq1_" ones with no modulation
    // properties on slur and step on. Nothing calls them yet.
    static void prepareSeq1Snapshot(juce::ValueTree& tree);
    static void prepareCenterPtchSeqSnapshot(juce::ValueTree& tree);

    void setNewTransaction();
    bool isUndoReady();
    bool isRedoReady();
    void undo();
    void redo();

    // Members, in the order other parts rely on (the undo manager comes before
    // the parameter state, which is built with a pointer to it).
    ZuKern_ParamProfile paramProfile;
    juce::UndoManager undoManager{30000, 30};
    juce::AudioProcessorValueTreeState paramState;
    juce::ValueTree mainTree;
    juce::ValueTree paramTree;
    juce::ValueTree snapTree;
    bool isReady = false;
    juce::StringArray paramIds;
    const juce::String stateTag{"ZUMIRA8"};
    std::array<juce::String, numKinds> kindNames;
    int kindSnapParamIndex[numKinds][4]{};
    std::array<int, 22> unitParamIndexList{};
    std::array<int, 9> scaleParamIndexList{};
    juce::CriticalSection resetLock;
    juce::dsp::LookupTableTransform<float> smoothstepTable;
    std::array<std::array<bool, 32>, numSeqUnits> stepLocks{};
    std::unordered_map<juce::String, int> snapParamUnits;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZuParamBase)
};
