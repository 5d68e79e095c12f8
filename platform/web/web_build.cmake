# The web build: the same program compiled by Emscripten to WebAssembly and WebGL 2, configured
# with `emcmake cmake`. Its libraries are static archives built from Debian's source packages by
# scripts/build-web-deps.sh into VULCARA_WEB_DEPS, under the target names the native build's
# package look-ups give, so no library's build file knows which build it is in.
set(VULCARA_WEB_DEPS ${CMAKE_BINARY_DIR}/deps CACHE PATH "The web build's libraries (build-web-deps.sh)")
set(VULCARA_ASSETGEN "" CACHE FILEPATH "The asset generator of a native build, run to make the data")
if(NOT EXISTS ${VULCARA_ASSETGEN})
  message(FATAL_ERROR "VULCARA_ASSETGEN must name a native build's assetgen (make web sets it)")
endif()

function(vulcara_web_archive target archive)
  if(NOT EXISTS ${VULCARA_WEB_DEPS}/lib/${archive})
    message(FATAL_ERROR "${VULCARA_WEB_DEPS}/lib/${archive} is missing: run scripts/build-web-deps.sh")
  endif()
  add_library(${target} STATIC IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES
    IMPORTED_LOCATION ${VULCARA_WEB_DEPS}/lib/${archive}
    INTERFACE_INCLUDE_DIRECTORIES ${VULCARA_WEB_DEPS}/include
    INTERFACE_LINK_LIBRARIES "${ARGN}")
endfunction()

vulcara_web_archive(PkgConfig::SDL2 libSDL2.a)
vulcara_web_archive(PkgConfig::SDL2_MIXER libSDL2_mixer.a PkgConfig::SDL2)
vulcara_web_archive(ZLIB::ZLIB libz.a)
vulcara_web_archive(PNG::PNG libpng16.a ZLIB::ZLIB)
vulcara_web_archive(JPEG::JPEG libjpeg.a)
# GL comes from Emscripten's WebGL library; only the loader's header is stood in for.
add_library(PkgConfig::EPOXY INTERFACE IMPORTED GLOBAL)
set_target_properties(PkgConfig::EPOXY PROPERTIES
  INTERFACE_INCLUDE_DIRECTORIES ${PROJECT_SOURCE_DIR}/platform/web/include)

add_compile_options(-include ${PROJECT_SOURCE_DIR}/platform/web/std_compat.h)

# The page: vulcara.html, which loads vulcara.js with its .wasm and .data (the data folder,
# preloaded at /, where the program runs), in the build folder's top. The .js makes a new instance
# of the program each time the page calls createVulcara, so the page can play it again.
function(vulcara_web_page target)
  set(web ${PROJECT_SOURCE_DIR}/platform/web)
  configure_file(${web}/vulcara.html ${CMAKE_BINARY_DIR}/vulcara.html COPYONLY)
  set_target_properties(${target} PROPERTIES
    SUFFIX .js
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}
    LINK_DEPENDS "${web}/main_return.js;${web}/frame_wait_chain.txt;${CMAKE_BINARY_DIR}/tools/assetgen/data_folder.stamp"
    # Emscripten's optimiser steps look for Debian's node modules here.
    RULE_LAUNCH_LINK "${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs")
  target_link_options(${target} PRIVATE
    -sMIN_WEBGL_VERSION=2 -sMAX_WEBGL_VERSION=2
    -sALLOW_MEMORY_GROWTH=1
    -sMODULARIZE=1 -sEXPORT_NAME=createVulcara -sEXPORTED_RUNTIME_METHODS=FS
    # The main loop stays the program's: each presented frame waits for the browser's next. Only
    # the calls from main to that wait are made resumable, as the optimised build has them (the
    # loop, the frame and the device's Present inlined into main; the backend's Present virtual);
    # instrumenting every function that might call out would cost a quarter of the .wasm.
    -sASYNCIFY=1 -sASYNCIFY_STACK_SIZE=65536
    -sASYNCIFY_ONLY=@${web}/frame_wait_chain.txt
    -sEXIT_RUNTIME=1 --post-js ${web}/main_return.js
    # The JavaScript helpers SDL's audio calls, from a file: no shell or make mangles its $.
    -sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=@${web}/sdl_audio_functions.json
    "SHELL:--preload-file ${VULCARA_DATA_DIR}@/")
  add_dependencies(${target} data_folder)
endfunction()
