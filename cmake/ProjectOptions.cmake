# Compiler and linker settings shared by every target of the project.

# COMCTL32 and MSIMG32 are not among them: the toolkit loads those from the
# system folder itself (toolkit/SystemLibraries.h), so a copy planted beside the
# program is never taken.
set(T5_SYSTEM_LIBRARIES user32 gdi32 advapi32)

function(t5_set_options target)
  target_compile_features(${target} PUBLIC cxx_std_17)
  target_compile_definitions(${target} PUBLIC
    STRICT NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0600)
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(${target} PRIVATE
      $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wpedantic -Werror -Wnon-virtual-dtor -Wcast-align>)
    # The runtimes are linked statically: the binaries import system DLLs only.
    target_link_options(${target} PUBLIC -static -static-libgcc -static-libstdc++)
  elseif(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX /permissive-)
  endif()
endfunction()

# t5_add_library(name folder [dependency...]): a static library of every .cpp in
# folder. Given a list of .cpp files (paths from the project's root) instead of a
# folder, it takes those: a folder may hold more than one floor.
function(t5_add_library name folder)
  if(folder MATCHES "\\.cpp$")
    list(TRANSFORM folder PREPEND "${PROJECT_SOURCE_DIR}/" OUTPUT_VARIABLE sources)
  else()
    file(GLOB sources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${folder}/*.cpp")
  endif()
  list(FILTER sources EXCLUDE REGEX "/(app|console)/main\\.cpp$")
  if(NOT sources)
    set(sources "${PROJECT_SOURCE_DIR}/cmake/empty.cpp")
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}")
  if(ARGN)
    target_link_libraries(${name} PUBLIC ${ARGN})
  else()
    target_link_libraries(${name} PUBLIC ${T5_SYSTEM_LIBRARIES})
  endif()
  t5_set_options(${name})
endfunction()
