# Wine tests of the player shell: the loader with its packed fixtures, the
# quiz model, the main window, the header panel and the player resources.
#
# The loader: one executable per set of "PATCH" fixtures, each
# checking its own row of tests/wine/loader_test.cpp. The packed bytes come
# from an independent writer of the format, run at build time.
set(MIRVO_PATCH_FIXTURES empty_description bad_description short_description text_quiz
    picture_quiz_without_codes audio_quiz_empty_codes video_quiz_bad_codes unknown_reveal_long_code full_quiz)
set(MIRVO_PATCH_FIXTURE_DIR ${CMAKE_CURRENT_BINARY_DIR}/patch_fixtures)
set(MIRVO_PATCH_FIXTURE_RCS)
foreach(fixture ${MIRVO_PATCH_FIXTURES})
  list(APPEND MIRVO_PATCH_FIXTURE_RCS ${MIRVO_PATCH_FIXTURE_DIR}/${fixture}.rc)
endforeach()
add_custom_command(
  OUTPUT ${MIRVO_PATCH_FIXTURE_RCS}
  COMMAND /usr/bin/python3 ${CMAKE_CURRENT_SOURCE_DIR}/make_patch_fixtures.py ${MIRVO_PATCH_FIXTURE_DIR}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/make_patch_fixtures.py
  COMMENT "Writing packed quiz fixtures")
# One owner of the generated files, so that parallel test builds do not run
# the writer at the same time.
add_custom_target(mirvo_patch_fixtures DEPENDS ${MIRVO_PATCH_FIXTURE_RCS})

mirvo_wine_test(loader_no_patch SOURCES loader_test.cpp quiz_model_test.cpp)
if(TARGET wine_loader_no_patch)
  target_compile_definitions(wine_loader_no_patch PRIVATE MIRVO_FIXTURE="no_patch")
endif()
foreach(fixture ${MIRVO_PATCH_FIXTURES})
  mirvo_wine_test(loader_${fixture} SOURCES loader_test.cpp RESOURCES ${MIRVO_PATCH_FIXTURE_DIR}/${fixture}.rc)
  if(TARGET wine_loader_${fixture})
    target_compile_definitions(wine_loader_${fixture} PRIVATE MIRVO_FIXTURE="${fixture}")
    add_dependencies(wine_loader_${fixture} mirvo_patch_fixtures)
  endif()
endforeach()

# The main window, the header panel and the player's resources.
mirvo_wine_test(player_windows SOURCES player_windows_test.cpp RESOURCES ${CMAKE_SOURCE_DIR}/resources/player.rc)
