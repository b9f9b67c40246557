# A program that records how it was started; the tool tests install copies of it as the
# device tools.
add_executable(record_arguments ${CMAKE_CURRENT_LIST_DIR}/helpers/RecordArguments.cpp)
vk_target_defaults(record_arguments)
add_dependencies(${suite} record_arguments)
target_compile_definitions(${suite} PRIVATE RECORD_ARGUMENTS_PROGRAM="$<TARGET_FILE:record_arguments>")
