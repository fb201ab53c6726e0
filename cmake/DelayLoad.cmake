# The program runs elevated from a folder others can write to, so every
# library it uses must come from the system folder. Windows maps the KnownDLLs
# from there whatever the search order; every other library is linked through
# a delay-load import library, made here with the toolchain's own dlltool from
# its import library, and so loaded at first use, after the program has
# limited the library search to the system folder.
#
#   vwi_link_library(out name)  -> out: what to link for `name` (the delay-load
#                                  import library, or `name` itself)

set(VWI_DELAY_LOADED msi wininet bcrypt d2d1 dwrite msimg32 gdiplus comctl32 version uxtheme
  shell32 shlwapi ole32 oleaut32 oleacc wintrust crypt32 credui)
# The libraries an executable we ship may import directly: the KnownDLLs, and
# ntdll, which the system maps into every process before anything else.
set(VWI_KNOWN_DLLS advapi32 kernel32 user32 gdi32 shell32 ole32 oleaut32 shlwapi comdlg32 imm32
  msvcrt ntdll)

if(WIN32)
  find_program(VWI_DLLTOOL NAMES ${triple}-dlltool x86_64-w64-mingw32-dlltool REQUIRED)
  find_program(VWI_NM NAMES ${triple}-nm x86_64-w64-mingw32-nm REQUIRED)
  find_program(VWI_OBJDUMP NAMES ${triple}-objdump x86_64-w64-mingw32-objdump REQUIRED)
endif()

function(vwi_make_delay_library name out)
  set(folder ${CMAKE_BINARY_DIR}/delay-load)
  set(library ${folder}/lib${name}_delay.a)
  set(${out} ${library} PARENT_SCOPE)
  if(EXISTS ${library})
    return()
  endif()
  file(MAKE_DIRECTORY ${folder})
  find_file(import lib${name}.a PATHS ${CMAKE_FIND_ROOT_PATH}/lib NO_DEFAULT_PATH NO_CACHE REQUIRED)
  execute_process(COMMAND ${VWI_NM} ${import} OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX MATCHALL "I __imp_[A-Za-z0-9_@?$]+" imports "${symbols}")
  list(REMOVE_DUPLICATES imports)
  set(def "LIBRARY ${name}.dll\nEXPORTS\n")
  foreach(entry ${imports})
    string(REPLACE "I __imp_" "" entry "${entry}")
    string(APPEND def "${entry}\n")
  endforeach()
  file(WRITE ${folder}/${name}.def "${def}")
  execute_process(COMMAND ${VWI_DLLTOOL} --input-def ${folder}/${name}.def --dllname ${name}.dll
                          --output-delaylib ${library}
                  COMMAND_ERROR_IS_FATAL ANY)
endfunction()

function(vwi_link_library out name)
  if(WIN32 AND name IN_LIST VWI_DELAY_LOADED)
    vwi_make_delay_library(${name} library)
    set(${out} ${library} PARENT_SCOPE)
  else()
    set(${out} ${name} PARENT_SCOPE)
  endif()
endfunction()

# Fails the build when `target`'s import table names a library outside the
# KnownDLLs.
function(vwi_check_imports target)
  string(REPLACE ";" " " allowed "${VWI_KNOWN_DLLS}")
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${PROJECT_SOURCE_DIR}/cmake/check-imports.sh ${VWI_OBJDUMP} $<TARGET_FILE:${target}>
            "${allowed}"
    VERBATIM)
endfunction()
