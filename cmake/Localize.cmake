# cmake -DDESKTOP_IN=... -DMETAINFO_IN=... -DTEXTS=<data/texts> -DLANGUAGES=ru,uk
#       -DDESKTOP_OUT=... -DMETAINFO_OUT=... -P Localize.cmake
# Writes the desktop entry and the metainfo with each language's name and
# summary from data/texts/<code>/desktop.txt (Name=, GenericName=, Comment=,
# Summary=, UTF-8): "Name[ru]=..." after "Name=...", and
# <name xml:lang="ru"> after <name>, <summary xml:lang="ru"> after <summary>.
string(REPLACE "," ";" LANGUAGES "${LANGUAGES}")
file(READ ${DESKTOP_IN} desktop)
file(READ ${METAINFO_IN} metainfo)

function(xml_escape text out)
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

foreach(code IN LISTS LANGUAGES)
  set(source ${TEXTS}/${code}/desktop.txt)
  if(NOT EXISTS ${source})
    message(STATUS "No ${source}: the desktop entry stays without ${code}")
    continue()
  endif()
  file(STRINGS ${source} lines ENCODING UTF-8)
  foreach(line IN LISTS lines)
    if(NOT line MATCHES "^([A-Za-z]+)=(.*)$")
      continue()
    endif()
    set(key ${CMAKE_MATCH_1})
    set(value "${CMAKE_MATCH_2}")
    if(key STREQUAL "Name" OR key STREQUAL "GenericName" OR key STREQUAL "Comment")
      # After the line of the key itself, so each language's lines follow it.
      string(REGEX MATCH "\n${key}=[^\n]*" found "${desktop}")
      if(found)
        string(REPLACE "${found}" "${found}\n${key}[${code}]=${value}" desktop "${desktop}")
      endif()
    endif()
    xml_escape("${value}" escaped)
    if(key STREQUAL "Name")
      string(REGEX REPLACE "(\n[ ]*)(<name>[^<]*</name>)" "\\1\\2\\1<name xml:lang=\"${code}\">${escaped}</name>"
             metainfo "${metainfo}")
    elseif(key STREQUAL "Summary")
      string(REGEX REPLACE "(\n[ ]*)(<summary>[^<]*</summary>)"
             "\\1\\2\\1<summary xml:lang=\"${code}\">${escaped}</summary>" metainfo "${metainfo}")
    endif()
  endforeach()
endforeach()

file(WRITE ${DESKTOP_OUT} "${desktop}")
file(WRITE ${METAINFO_OUT} "${metainfo}")
