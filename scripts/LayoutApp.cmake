# Lays out an application folder: cmake -DSOURCE_DIR=<repo> -DAPP_DIR=<folder>
#   [-DBUILD_APP=<built app folder to copy the programs and characters from>] -P LayoutApp.cmake
# The user's data/ files are never overwritten: the command list and the scripts are written
# only where they do not exist yet.
cmake_minimum_required(VERSION 3.22)

set(character Pebble)
file(MAKE_DIRECTORY ${APP_DIR}/data ${APP_DIR}/Character ${APP_DIR}/Plugins)

if(BUILD_APP)
    file(GLOB programs ${BUILD_APP}/quillet ${BUILD_APP}/vbsrun)
    file(COPY ${programs} DESTINATION ${APP_DIR}
         FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                          WORLD_READ WORLD_EXECUTE)
    file(GLOB characters ${BUILD_APP}/Character/*.qlc)
    if(characters)
        file(COPY ${characters} DESTINATION ${APP_DIR}/Character)
    endif()
    # The application icon, which the desktop entry names.
    file(GLOB icons ${BUILD_APP}/icons/*.png)
    if(icons)
        file(COPY ${icons} DESTINATION ${APP_DIR}/icons)
    endif()
endif()

file(GLOB plugins ${SOURCE_DIR}/plugins/*)
if(plugins)
    file(COPY ${plugins} DESTINATION ${APP_DIR}/Plugins
         FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                          WORLD_READ WORLD_EXECUTE)
endif()

# The help page is the program's own, not the user's: every layout brings it up to date.
file(MAKE_DIRECTORY ${APP_DIR}/Help)
file(GLOB help ${SOURCE_DIR}/help/*)
if(help)
    file(COPY ${help} DESTINATION ${APP_DIR}/Help)
endif()

# Our files are kept with LF line ends; the program's text files have CR LF.
function(write_crlf_if_missing target text)
    if(EXISTS "${target}")
        return()
    endif()
    string(REPLACE "\r\n" "\n" text "${text}")
    string(REPLACE "\n" "\r\n" text "${text}")
    file(WRITE "${target}.part" "${text}")
    file(RENAME "${target}.part" "${target}")
endfunction()

file(READ ${SOURCE_DIR}/data/brainlist.in list)
string(REPLACE "@CHARACTER@" "${character}" list "${list}")
string(REPLACE "@APP@" "${APP_DIR}" list "${list}")
string(REPLACE "@HOME@" "$ENV{HOME}" list "${list}")
write_crlf_if_missing(${APP_DIR}/data/brainlist "${list}")

file(GLOB scripts ${SOURCE_DIR}/data/*.txt)
foreach(script ${scripts})
    get_filename_component(name ${script} NAME)
    file(READ ${script} text)
    write_crlf_if_missing(${APP_DIR}/data/${name} "${text}")
endforeach()
