# The JUCE modules are compiled once, into one static library that the plug-in
# and every test binary link. Compile definitions and include paths travel to
# the users of the library so that they see the same JUCE configuration.

add_library(zu_juce STATIC)

set(ZU_JUCE_DEFS
    JUCE_WEB_BROWSER=0
    JUCE_USE_CURL=0
    JUCE_VST3_CAN_REPLACE_VST2=0
    JUCE_DISPLAY_SPLASH_SCREEN=0
    JUCE_REPORT_APP_USAGE=0
    JUCE_STRICT_REFCOUNTEDPOINTER=1
    JUCE_SILENCE_XCODE_15_LINKER_WARNING=1)

if(ZU_BUILD_TESTS)
    # The tests pump the message loop; the Release build used by build.sh keeps JUCE's default.
    list(APPEND ZU_JUCE_DEFS JUCE_MODAL_LOOPS_PERMITTED=1)
endif()

target_link_libraries(zu_juce
    PRIVATE
        juce::juce_core
        juce::juce_events
        juce::juce_data_structures
        juce::juce_graphics
        juce::juce_gui_basics
        juce::juce_gui_extra
        juce::juce_audio_basics
        juce::juce_audio_processors
        juce::juce_audio_formats
        juce::juce_audio_devices
        juce::juce_audio_utils
        juce::juce_dsp
        juce::juce_cryptography
        juce::juce_opengl
    PUBLIC
        juce::juce_recommended_config_flags)

target_compile_definitions(zu_juce
    PUBLIC ${ZU_JUCE_DEFS}
    INTERFACE $<TARGET_PROPERTY:zu_juce,COMPILE_DEFINITIONS>)

# JUCE's headers are system headers to us, so that GCC's warnings inside JUCE
# do not bury ours.
target_include_directories(zu_juce SYSTEM
    INTERFACE $<TARGET_PROPERTY:zu_juce,INCLUDE_DIRECTORIES>)

# The libraries JUCE's modules need at link time (X11 is loaded at run time).
find_package(PkgConfig REQUIRED)
# Debian's JUCE uses the system's codec and image libraries instead of its bundled copies.
pkg_check_modules(ZU_JUCE_SYSLIBS REQUIRED IMPORTED_TARGET
    freetype2 alsa flac vorbis vorbisenc vorbisfile ogg zlib libpng libjpeg gl)
find_package(Threads REQUIRED)
target_link_libraries(zu_juce PUBLIC PkgConfig::ZU_JUCE_SYSLIBS Threads::Threads ${CMAKE_DL_LIBS} rt)

set(ZU_WARNINGS -Wall -Wextra -Wshadow -Wnon-virtual-dtor -Wunused -Woverloaded-virtual -Wno-missing-field-initializers)
