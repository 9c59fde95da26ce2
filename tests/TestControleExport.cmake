# The command-line checker's end-to-end test runs the built program, found by its path.
ajoute_test(TestControleExport TestControleExport.cpp)
target_compile_definitions(TestControleExport PRIVATE
                           CONTROLE_EXPORT="$<TARGET_FILE:controle-export>")
add_dependencies(TestControleExport controle-export)
