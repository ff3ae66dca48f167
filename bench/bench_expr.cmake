set(bench_expr_LIBS quorvel_expr)
