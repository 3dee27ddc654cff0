// Fails the build when the include path of the plug-in resolves the VST2
// interface headers to anything but this project's own layer (for example a
// system package that registers the same path).
namespace ZuVst2HeaderCheck
{
#include <pluginterfaces/vst2.x/aeffect.h>
#include <pluginterfaces/vst2.x/aeffectx.h>

#ifndef ZU_VST2_OWN_HEADERS
#error "pluginterfaces/vst2.x/aeffect.h is not the project's own header (platform/vst2)"
#endif

static_assert(kPlugCategSynth == 2, "synth category");
static_assert(kVstPinIsActive == 1 && kVstPinIsStereo == 2 && kVstPinUseSpeaker == 4, "pin flags");
} // namespace ZuVst2HeaderCheck
