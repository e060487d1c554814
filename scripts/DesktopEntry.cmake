# Makes an installed application folder startable from the desktop's menus:
#   cmake -DAPP_DIR=<installed folder> [-DAUTOSTART=ON|OFF] -P DesktopEntry.cmake
# writes <data home>/applications/io.github.quillet.Quillet.desktop and the icon into <data home>/icons/hicolor,
# where the data home is $XDG_DATA_HOME or ~/.local/share. AUTOSTART=ON also writes the entry
# into <config home>/autostart ($XDG_CONFIG_HOME or ~/.config), so that Quillet starts with the
# session; OFF takes it out again; left out, whatever is there stays.
cmake_minimum_required(VERSION 3.22)

if(NOT APP_DIR)
    message(FATAL_ERROR "DesktopEntry.cmake needs -DAPP_DIR=<installed folder>")
endif()
set(data_home "$ENV{XDG_DATA_HOME}")
if(NOT data_home)
    set(data_home "$ENV{HOME}/.local/share")
endif()
set(config_home "$ENV{XDG_CONFIG_HOME}")
if(NOT config_home)
    set(config_home "$ENV{HOME}/.config")
endif()

# Exec's value is unescaped twice: once as a string, where a backslash is doubled, and once as
# a command line, where a quoted argument escapes " ` $ and \. Most paths need neither.
set(exec "${APP_DIR}/quillet")
if(exec MATCHES "[] \t\n\"'\\\\><~|&;$*?#()`[]")
    string(REPLACE "\\" "\\\\" exec "${exec}")
    string(REPLACE "\"" "\\\"" exec "${exec}")
    string(REPLACE "`" "\\`" exec "${exec}")
    string(REPLACE "$" "\\$" exec "${exec}")
    string(REPLACE "\\" "\\\\" exec "${exec}")
    set(exec "\"${exec}\"")
endif()
string(REPLACE "%" "%%" exec "${exec}")

file(READ "${CMAKE_CURRENT_LIST_DIR}/quillet.desktop.in" entry)
string(REPLACE "@EXEC@" "${exec}" entry "${entry}")

function(write_entry target)
    get_filename_component(folder "${target}" DIRECTORY)
    file(MAKE_DIRECTORY "${folder}")
    file(WRITE "${target}.part" "${entry}")
    file(RENAME "${target}.part" "${target}")
endfunction()

# The installed package's entry has the same id, so this one stands in its place in the menus
# instead of showing Quillet twice. Entries of an older run.sh were named quillet.desktop.
set(id io.github.quillet.Quillet.desktop)
write_entry("${data_home}/applications/${id}")
file(REMOVE "${data_home}/applications/quillet.desktop")
if(EXISTS "${config_home}/autostart/quillet.desktop")
    file(REMOVE "${config_home}/autostart/quillet.desktop")
    if(NOT AUTOSTART)
        set(AUTOSTART ON)
    endif()
endif()

foreach(size 48 128 256)
    set(icon "${APP_DIR}/icons/quillet-${size}.png")
    if(NOT EXISTS "${icon}")
        message(FATAL_ERROR "The application icon ${icon} is missing")
    endif()
    set(folder "${data_home}/icons/hicolor/${size}x${size}/apps")
    file(MAKE_DIRECTORY "${folder}")
    file(COPY_FILE "${icon}" "${folder}/quillet.png")
endforeach()

if(AUTOSTART STREQUAL "ON")
    write_entry("${config_home}/autostart/${id}")
elseif(AUTOSTART STREQUAL "OFF")
    file(REMOVE "${config_home}/autostart/${id}")
endif()
