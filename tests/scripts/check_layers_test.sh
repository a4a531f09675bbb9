#!/usr/bin/env bash
# Runs scripts/check_layers.sh on small trees made for each case and checks
# that it passes or fails as it should, naming the offending file.
# Usage: tests/scripts/check_layers_test.sh path/to/check_layers.sh
set -uo pipefail
check=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# Writes "path: line" pairs as files below the tree; "\n" in a line splits it.
make_tree() {
    local tree=$1
    shift
    rm -rf "$tree" && mkdir -p "$tree"
    for entry in "$@"; do
        local path=${entry%%: *}
        mkdir -p "$tree/${path%/*}"
        printf '%b\n' "${entry#*: }" >>"$tree/$path"
    done
}

# expect NAME pass|fail OFFENDER FILE...  (OFFENDER: a path the report names, or -)
expect() {
    local name=$1 wanted=$2 offender=$3
    shift 3
    local tree="$work/$name"
    make_tree "$tree" "$@"
    local output status
    output=$("$check" "$tree" 2>&1)
    status=$?
    local verdict=pass
    ((status != 0)) && verdict=fail
    if [[ $verdict != "$wanted" ]]; then
        echo "FAILED $name: wanted $wanted, got $verdict"
        echo "$output"
        failures=$((failures + 1))
    elif [[ $offender != - ]] && ! grep -q "$offender" <<<"$output"; then
        echo "FAILED $name: the report does not name $offender"
        echo "$output"
        failures=$((failures + 1))
    fi
}

clean_platform='platform/window/Pump.h: #pragma once\n// Feeds SDL_PushEvent events in tests.\nstruct Pump {};'

expect clean_tree pass - \
    "$clean_platform" \
    'platform/window/Pump.cpp: #include <SDL.h>\n#include <GL/gl.h>\n#include <AL/al.h>' \
    'tests/window/PumpTest.cpp: #include <SDL2/SDL.h>\n#include "platform/window/SdlPump.h"' \
    'platform/window/SdlPump.h: #include <SDL.h>' \
    'engine/render/Jpeg.cpp: #include <jpeglib.h>\n#include <vorbis/vorbisfile.h>\n#include "platform/window/Pump.h"' \
    'engine/core/Log.cpp: #include "engine/core/Log.h"\n#include <string>' \
    'engine/app/Engine.cpp: #include "engine/app/EngineSettings.h"\n#include "engine/render/RenderSystem.h"' \
    'game/main.cpp: #include "engine/app/Engine.h"' \
    'build/generated/Probe.cpp: #include <SDL.h>'

for header in 'SDL.h' 'SDL_keycode.h' 'SDL2/SDL_video.h' 'GL/gl.h' 'AL/alc.h'; do
    expect "system_header_${header//[\/.]/_}" fail engine/sound/Sound.cpp \
        "engine/sound/Sound.cpp: #include <string>\n  #  include <$header>"
done

expect quoted_system_header fail game_tools/Camera.h 'game_tools/Camera.h: #include "SDL.h"'

expect platform_header_including_sdl fail engine/core/Window.cpp \
    'platform/window/SdlPump.h: #include <SDL2/SDL.h>' \
    'engine/core/Window.cpp: #include "platform/window/SdlPump.h"'

expect platform_header_naming_sdl_type fail game/main.cpp \
    'platform/window/Native.h: struct SDL_Window;\nSDL_Window* Get();' \
    'game/main.cpp: #include "platform/window/Native.h"'

expect platform_header_naming_gl_type fail framework/Loader.cpp \
    'platform/video/Ids.h: unsigned Texture(); GLuint Raw();' \
    'framework/Loader.cpp: #include "platform/video/Ids.h"'

expect platform_header_through_another fail gui_tools/Text.cpp \
    'platform/audio/OpenALOut.h: #include <AL/al.h>' \
    'platform/audio/Voice.h: #include "platform/audio/OpenALOut.h"' \
    'platform/audio/Device.h: #include "platform/audio/Voice.h"' \
    'gui_tools/Text.cpp: #include "platform/audio/Device.h"'

expect core_includes_render fail engine/core/Config.cpp \
    'engine/core/Config.cpp: #include "engine/core/Log.h"\n#include "engine/render/Texture.h"'

expect core_includes_app fail engine/core/Timer.h 'engine/core/Timer.h: #include "engine/app/Engine.h"'

expect subsystem_includes_app fail engine/gui/Console.cpp \
    'engine/gui/Console.cpp: #include "engine/gui/GUIManager.h"\n#include "engine/app/EngineSettings.h"'

expect objects_include_the_scene pass - \
    'game/objects/Ball.cpp: #include "game/level/Effects.h"' \
    'game/level/Effects.cpp: #include "game/level/Shadow.h"' \
    'game/windows/level/Display.cpp: // no dynamic_cast here: the logic answers through its base'

expect scene_includes_objects fail game/level/Field.cpp \
    'game/level/Field.cpp: #include "game/level/Shadow.h"\n#include "game/objects/Ball.h"'

expect window_casts fail game/windows/menus/Menu.cpp \
    'game/windows/menus/Menu.cpp: auto* logic = dynamic_cast<Logic*>(base);'

if ((failures)); then
    echo "$failures case(s) failed"
    exit 1
fi
echo "every case passed"
