// A small analysis and its result, checked by hand: the engine's own tests and the
// plug-in's test of a real run share it.
#pragma once
#include "ParameterFile.h"

// A small complete parameter file's values: trypsin at 90 % on a short molecule.
inline cleavage::Parameters SampleParameters()
{
    cleavage::Parameters parameters;
    parameters.reagent.name = "Trypsin";
    parameters.reagent.recognitionEfficiency = 90;
    parameters.reagent.exceptionEfficiency = 100;
    parameters.reagent.recognition = {0, 2, {"KR", "{P}"}};
    parameters.reagent.exception = {0, 2, {}};
    parameters.fragmentLimit = 5;
    parameters.sortOrder = 2;
    parameters.moleculeName = "sample";
    parameters.sequence = "MKWVTRPAKDLGEK";
    parameters.resultFile = "result.tsv";
    return parameters;
}

// The result of the sample, checked by hand: sites after K2 and K9 at 0.9 (R6 is
// followed by P); fragments 1-2 .9, 10-14 .9, 3-9 .81, 1-9 and 3-14 .09 are the best
// five; 1-14 (.01) is not.
inline const char kSampleResult[] =
    "start\tend\tlength\tmissed\tprobability\tmono_mass\taverage_mass\tsequence\n"
    "1\t2\t2\t0\t0.9\t277.146013\t277.3837\tMK\n"
    "1\t9\t9\t1\t0.09\t1115.627371\t1116.3797\tMKWVTRPAK\n"
    "3\t9\t7\t0\t0.81\t856.491923\t857.0113\tWVTRPAK\n"
    "3\t14\t12\t1\t0.09\t1398.761950\t1399.5939\tWVTRPAKDLGEK\n"
    "10\t14\t5\t0\t0.9\t560.280592\t560.5979\tDLGEK\n";
inline const char kSampleSites[] =
    "position\tleft\tright\tefficiency\n"
    "2\tK\tW\t0.9\n"
    "9\tK\tD\t0.9\n";

