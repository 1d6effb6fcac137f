# Moodle XML and QTI packages against the exam file: speed of a write and read back, and
# the peak memory of a conversion (run by scripts/bench after the exam file benchmarks).
add_executable(qzm_bench_xml xml_formats_bench.cpp generated_exam.cpp)
target_link_libraries(qzm_bench_xml PRIVATE qzm_interchange_xml benchmark::benchmark)
qzm_warnings(qzm_bench_xml)
