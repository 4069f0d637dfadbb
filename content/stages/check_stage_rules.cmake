# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the design rules over a whole stage set with the stage critic.
#   cmake -DSTAGECRIT=<stagecrit> -DSTAGES=<a;b;...> [-DSTAMP=<file>] -P check_stage_rules.cmake
# A breach fails with the critic's lines, each naming the file and the rule;
# the stamp is written only when every stage passes.
# The critic's own lines go straight to standard error, unwrapped.
execute_process(COMMAND ${STAGECRIT} --table --rules ${STAGES}
  RESULT_VARIABLE result OUTPUT_VARIABLE table)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "stage design rules broken (see above)")
endif()
if(STAMP)
  file(WRITE ${STAMP} "${table}")
endif()
