# Settings every target of the project shares: warnings are errors, and the
# source root is the include root, so includes name their layer
# ("platform/XmlDocument.h").
function(varnocet_target_defaults target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
    target_compile_definitions(${target} PRIVATE QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)
endfunction()

# A layer library: one static library per folder of src/. DEPENDS lists the
# libraries it may use; a folder only includes the folders before it.
function(varnocet_layer name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
    add_library(varnocet_${name} STATIC ${ARG_SOURCES})
    target_include_directories(varnocet_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(varnocet_${name} PUBLIC ${ARG_DEPENDS})
    varnocet_target_defaults(varnocet_${name})
endfunction()
