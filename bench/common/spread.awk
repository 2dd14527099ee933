# Medians and spreads of the benchmark scripts' repeated runs. A list is the values of one
# figure separated by spaces, as the scripts collect them: list = list " " value.

function median(list,    n, v, i, j, t) {
  n = split(list, v, " ")
  for (i = 2; i <= n; ++i)
    for (j = i; j > 1 && v[j - 1] + 0 > v[j] + 0; --j) {
      t = v[j]; v[j] = v[j - 1]; v[j - 1] = t
    }
  return n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
}

function lowest(list,    n, v, i, m) {
  n = split(list, v, " ")
  m = v[1]
  for (i = 2; i <= n; ++i)
    if (v[i] + 0 < m + 0) m = v[i]
  return m
}

function highest(list,    n, v, i, m) {
  n = split(list, v, " ")
  m = v[1]
  for (i = 2; i <= n; ++i)
    if (v[i] + 0 > m + 0) m = v[i]
  return m
}

# "median (lowest-highest)", each value printed with the printf format fmt.
function figure(list, fmt) {
  return sprintf(fmt " (" fmt "-" fmt ")", median(list), lowest(list), highest(list))
}
