# The layers of the program and what each may include, written once here and checked by ctest:
#   cmake -DSOURCES=<folder holding the layers> -P tools/layers.cmake
# Includes point one way: core <- files <- forms <- window modules <- ui, cli, web.
# "a: b c" lets the files of src/a include "b/..." and "c/..." (and their own folder's files).
cmake_minimum_required(VERSION 3.20)
set(LAYERS
    "core:"
    "files: core"
    "forms: core files"
    "charts: core files forms"
    "wheels: core files forms"
    # The turbine and pipe windows open the selection chart with their own site point.
    "turbines: core files forms charts"
    "wind: core files forms"
    # The trip hammer is driven by the undershot wheel and reads that window's values.
    "hammer: core files forms wheels"
    "study: core files forms"
    "energy: core files forms"
    # The economic balance reads the annual energy's results.
    "economy: core files forms energy"
    "app: core files forms charts wheels turbines wind hammer study energy economy"
    "ui: core files forms app"
    "cli: core files forms app study"
    "web: core files forms app study cli")
# Only the Qt layer includes Qt.
set(QT_LAYERS ui)

if(NOT SOURCES)
    message(FATAL_ERROR "cmake -DSOURCES=<dossier src> -P layers.cmake")
endif()
get_filename_component(SOURCES "${SOURCES}" ABSOLUTE)
set(names "")
foreach(rule IN LISTS LAYERS)
    string(REGEX MATCH "^([a-z]+):(.*)$" _ "${rule}")
    set(layer "${CMAKE_MATCH_1}")
    string(STRIP "${CMAKE_MATCH_2}" uses)
    string(REPLACE " " ";" uses "${uses}")
    set(allowed_${layer} ${layer} ${uses})
    list(APPEND names ${layer})
endforeach()

set(faults 0)
set(checked 0)
file(GLOB folders LIST_DIRECTORIES true RELATIVE "${SOURCES}" "${SOURCES}/*")
foreach(layer IN LISTS folders)
    if(NOT IS_DIRECTORY "${SOURCES}/${layer}")
        continue()
    endif()
    if(NOT layer IN_LIST names)
        message("src/${layer} : dossier absent du graphe des couches (tools/layers.cmake)")
        math(EXPR faults "${faults} + 1")
        continue()
    endif()
    file(GLOB_RECURSE files RELATIVE "${SOURCES}" "${SOURCES}/${layer}/*.h" "${SOURCES}/${layer}/*.cpp")
    foreach(source IN LISTS files)
        math(EXPR checked "${checked} + 1")
        file(STRINGS "${SOURCES}/${source}" lines REGEX "^[ \t]*#[ \t]*include")
        foreach(line IN LISTS lines)
            if(line MATCHES "include[ \t]*\"([a-z]+)/")
                set(used "${CMAKE_MATCH_1}")
                if(NOT used IN_LIST allowed_${layer})
                    message("src/${source} : la couche ${layer} ne peut pas inclure ${used} (${line})")
                    math(EXPR faults "${faults} + 1")
                endif()
            elseif(line MATCHES "include[ \t]*<Q" AND NOT layer IN_LIST QT_LAYERS)
                message("src/${source} : la couche ${layer} ne peut pas inclure Qt (${line})")
                math(EXPR faults "${faults} + 1")
            endif()
        endforeach()
    endforeach()
endforeach()
if(faults GREATER 0)
    message(FATAL_ERROR "${faults} inclusion(s) hors des couches permises")
endif()
if(checked EQUAL 0)
    message(FATAL_ERROR "Aucun fichier lu dans ${SOURCES}")
endif()
message("Couches respectées (${checked} fichiers)")
