# Header-only libraries of the build machine, made visible to the Windows
# target one by one (the machine's /usr/include as a whole must never be).
set(PINLET_THIRD_PARTY ${CMAKE_BINARY_DIR}/third_party/include)
file(MAKE_DIRECTORY ${PINLET_THIRD_PARTY})
if(NOT EXISTS ${PINLET_THIRD_PARTY}/nlohmann)
  file(CREATE_LINK /usr/include/nlohmann ${PINLET_THIRD_PARTY}/nlohmann SYMBOLIC)
endif()
add_library(nlohmann_json_headers INTERFACE)
target_include_directories(nlohmann_json_headers SYSTEM INTERFACE ${PINLET_THIRD_PARTY})
add_library(nlohmann_json::nlohmann_json ALIAS nlohmann_json_headers)
