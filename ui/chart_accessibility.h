#pragma once

// Has screen readers see each DistributionChart as a chart whose bars are its
// children, each with its words as name and its chance as value, so that
// moving across the bars is spoken. Safe to call any number of times.
void make_charts_accessible();
