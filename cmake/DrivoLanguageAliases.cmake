# SPDX-License-Identifier: GPL-3.0-or-later
# The abbreviations that share a bundle's data: every other territory the language table
# (i18n/LanguageTable.cpp) gives the same language as `abbr` ("ENU" -> ENG;ENA;...). The table
# stays the one list of territories; its rows read {0x0809, "ENG", "en", "GB"}.
function(drivo_language_aliases abbr out)
  file(STRINGS ${PROJECT_SOURCE_DIR}/i18n/LanguageTable.cpp rows
       REGEX "\\{0x[0-9A-Fa-f]+, \"[A-Z]+\", \"[a-z]+\", \"[A-Z]+\"\\}")
  string(REGEX MATCHALL "\"[A-Z]+\", \"[a-z]+\"" pairs "${rows}")
  set(language "")
  foreach(pair IN LISTS pairs)
    if(pair MATCHES "^\"${abbr}\", \"([a-z]+)\"$")
      set(language ${CMAKE_MATCH_1})
    endif()
  endforeach()
  set(aliases "")
  foreach(pair IN LISTS pairs)
    if(language AND pair MATCHES "^\"([A-Z]+)\", \"${language}\"$" AND NOT CMAKE_MATCH_1 STREQUAL abbr)
      list(APPEND aliases ${CMAKE_MATCH_1})
    endif()
  endforeach()
  set(${out} ${aliases} PARENT_SCOPE)
endfunction()
