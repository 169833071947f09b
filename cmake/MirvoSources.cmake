# mirvo_sources(TARGET file...) adds the listed files of the calling folder.
function(mirvo_sources target)
  foreach(f ${ARGN})
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${f})
      target_sources(${target} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/${f})
    endif()
  endforeach()
endfunction()
