#include "match/Scoring.h"

#include "console/Kumite2.h"

namespace kestrane {

void Scoring::wire()
{
}

void Scoring::Command6_Click()
{
}

void Scoring::Command8_Click()
{
}

void Scoring::Command10_Click()
{
}

void Scoring::MyButton2_Click()
{
}

void Scoring::SanbonB_Click()
{
}

void Scoring::NihonB_Click()
{
}

void Scoring::MyButton1_Click()
{
}

void Scoring::Command9_Click()
{
}

void Scoring::scri_Change()
{
}

void Scoring::scrw_Change()
{
}

void Scoring::scwi_Change()
{
}

void Scoring::scww_Change()
{
}

} // namespace kestrane
