#pragma once
// The program's one pseudo-random generator: values 0..32767 whatever the C
// library's RAND_MAX, seeded from the clock at start-up and by tests at will.

void SeedRandom(unsigned seed);
// 0..32767.
int RandomNumber();
// An integer in [a, b]: a + floor((b - a + 1) * r / 32768).
int RandomBetween(int a, int b);
