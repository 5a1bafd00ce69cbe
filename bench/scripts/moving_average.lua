-- Nested loops over an array: a 20-bar moving average of 2001 values, 200 times.
local v, ma = {}, {}
for i = 1, 2001 do
  v[i] = math.sin(i / 10) * 50 + 100
end
for r = 1, 200 do
  for i = 20, 2001 do
    local sum = 0
    for j = i - 19, i do
      sum = sum + v[j]
    end
    ma[i] = sum / 20
  end
end
print(ma[2001])
