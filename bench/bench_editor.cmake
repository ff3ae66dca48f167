set(bench_editor_LIBS quorvel_editor)
