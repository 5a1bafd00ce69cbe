 1234.5
Épargne & Co
USD
Acme;02/01/2024;100;5.25;525;    6.00;+14.29%;USD
Beta;15/02/2024;-20;10.4;-208;    8.00;+23.08%;USD
$^¨
02/01/2024 Add 2000 in cash
02/01/2024 Buy 100 stocks of Acme for 535
15/02/2024 Sell 20 stocks of Beta for 198
