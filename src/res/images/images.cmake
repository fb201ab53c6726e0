# The program's images are rendered from their SVG artboards at build time
# (render.sh, about a second). Windows tree only.
#
#   vwi_use_images(target rc_file)   the target's resource script may then
#                                    #include "images.rc" (from src/res)

set(VWI_IMAGES_DIR ${CMAKE_BINARY_DIR}/res/images)

if(WIN32 AND NOT TARGET vwi_images)
  set(_vwi_images_src ${CMAKE_CURRENT_LIST_DIR})
  file(STRINGS ${_vwi_images_src}/../images.rc _vwi_png_lines REGEX " PNG \"")
  set(VWI_IMAGE_FILES ${VWI_IMAGES_DIR}/vimzee.ico)
  foreach(line IN LISTS _vwi_png_lines)
    string(REGEX REPLACE ".*\"(.*)\".*" "\\1" file "${line}")
    list(APPEND VWI_IMAGE_FILES ${VWI_IMAGES_DIR}/${file})
  endforeach()
  file(GLOB _vwi_svgs CONFIGURE_DEPENDS ${_vwi_images_src}/svg/*.svg)
  add_custom_command(
    OUTPUT ${VWI_IMAGE_FILES}
    COMMAND bash ${_vwi_images_src}/render.sh ${VWI_IMAGES_DIR}
    DEPENDS ${_vwi_images_src}/render.sh ${_vwi_images_src}/../images.rc ${_vwi_svgs}
    COMMENT "Rendering the program's images"
    VERBATIM)
  add_custom_target(vwi_images DEPENDS ${VWI_IMAGE_FILES})
  set(VWI_IMAGE_FILES ${VWI_IMAGE_FILES} CACHE INTERNAL "")
endif()

function(vwi_use_images target rc_file)
  if(WIN32)
    add_dependencies(${target} vwi_images)
    target_include_directories(${target} PRIVATE ${CMAKE_BINARY_DIR}/res/images ${PROJECT_SOURCE_DIR}/src/res)
    set_source_files_properties(${rc_file} PROPERTIES OBJECT_DEPENDS "${VWI_IMAGE_FILES}")
  endif()
endfunction()
