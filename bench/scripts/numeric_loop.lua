-- A numeric loop: floating-point accumulation over ten million steps.
local s = 0
for i = 1, 10000000 do
  s = s + i * 0.5 - 1
end
print(s)
